#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "DecodedImage.h"
#include "ImageSave.h"
#include "PictureSettings.h"
#include "temp_folder.h"

namespace {

// A back buffer as the windows read it: rows bottom-up, red << 16 | green << 8 | blue, with a
// top byte of 0 that must not make the file transparent.
struct BackBuffer {
  int width = 40, height = 24;
  std::vector<uint32_t> words;

  BackBuffer() {
    for (int row = 0; row < height; ++row) {
      int screenY = height - 1 - row;
      for (int x = 0; x < width; ++x) {
        uint32_t red = x < width / 2 ? 240 : 16, green = screenY < height / 2 ? 200 : 40, blue = 96;
        words.push_back(red << 16 | green << 8 | blue);
      }
    }
  }
};

class ImageSave : public testing::TestWithParam<std::pair<int, const char*>> {
 protected:
  TempFolder folder;
  BackBuffer buffer;
};

TEST_P(ImageSave, WritesAnOpaquePictureTopRowFirst) {
  auto [format, name] = GetParam();
  std::string path = folder.File(name);
  ASSERT_TRUE(
      SaveImageFile(path.c_str(), format, buffer.words.data(), buffer.width, buffer.height));
  auto image = LoadImageFile(path.c_str());
  ASSERT_TRUE(image);
  ASSERT_EQ(image->width, buffer.width);
  ASSERT_EQ(image->height, buffer.height);
  EXPECT_FALSE(image->hasAlpha);
  // JPEG is lossy: compare within a margin, away from the colour edges.
  int margin = format == K_IMAGE_JPG ? 6 : 0;
  uint32_t topLeft = image->Pixel(4, 4), bottomRight = image->Pixel(35, 19);
  EXPECT_NEAR(PixelRed(topLeft), 240, margin);
  EXPECT_NEAR(PixelGreen(topLeft), 200, margin);
  EXPECT_NEAR(PixelBlue(topLeft), 96, margin);
  EXPECT_NEAR(PixelRed(bottomRight), 16, margin);
  EXPECT_NEAR(PixelGreen(bottomRight), 40, margin);
  for (int y = 0; y < image->height; ++y) {
    for (int x = 0; x < image->width; ++x) ASSERT_EQ(PixelAlpha(image->Pixel(x, y)), 255);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryFormat, ImageSave,
                         testing::Values(std::make_pair(K_IMAGE_BMP, "shot.bmp"),
                                         std::make_pair(K_IMAGE_JPG, "shot.jpg"),
                                         std::make_pair(K_IMAGE_TGA, "shot.tga"),
                                         std::make_pair(K_IMAGE_PNG, "shot.png")));

TEST(ImageSaveRefusals, UnknownFormatsAndEmptyPicturesWriteNoFile) {
  TempFolder folder;
  BackBuffer buffer;
  std::string path = folder.File("shot.tga");
  EXPECT_FALSE(SaveImageFile(path.c_str(), 4, buffer.words.data(), buffer.width, buffer.height));
  EXPECT_FALSE(SaveImageFile(path.c_str(), -1, buffer.words.data(), buffer.width, buffer.height));
  EXPECT_FALSE(SaveImageFile(path.c_str(), K_IMAGE_TGA, buffer.words.data(), 0, buffer.height));
  EXPECT_FALSE(SaveImageFile(path.c_str(), K_IMAGE_TGA, nullptr, buffer.width, buffer.height));
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(ImageSaveRefusals, AnUnwritablePathFails) {
  TempFolder folder;
  BackBuffer buffer;
  std::string path = folder.File("no-such-folder/shot.png");
  EXPECT_FALSE(
      SaveImageFile(path.c_str(), K_IMAGE_PNG, buffer.words.data(), buffer.width, buffer.height));
}

TEST(ImageSaveRefusals, WindowsPathsAreWritten) {
  TempFolder folder;
  BackBuffer buffer;
  std::string path = folder.File("screenshot1.tga");
  std::string windowsPath = path;
  for (char& c : windowsPath) {
    if (c == '/') c = '\\';
  }
  ASSERT_TRUE(SaveImageFile(windowsPath.c_str(), K_IMAGE_TGA, buffer.words.data(), buffer.width,
                            buffer.height));
  EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
