// The screenshot path: a frame read by a window, written at its own size or resampled to the
// asked one, and the frames and sizes that write nothing.
#include "Screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "DecodedImage.h"
#include "KGraphic.h"
#include "PictureSettings.h"
#include "temp_folder.h"

namespace {

constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 4;

// Each pixel tells where it stands: red from its column, green from its screen row.
uint32_t FramePixel(int x, int screenY) {
  return uint32_t(40 * x + 10) << 16 | uint32_t(60 * screenY + 5) << 8 | 7;
}

ScreenFrame MakeFrame() {
  ScreenFrame frame{{}, kFrameWidth, kFrameHeight};
  for (int row = 0; row < kFrameHeight; ++row) {
    for (int x = 0; x < kFrameWidth; ++x)
      frame.pixels.push_back(FramePixel(x, kFrameHeight - 1 - row));
  }
  return frame;
}

struct Point {
  int x, y;
};

TEST(ScreenshotSizes, EachPixelShowsTheFramePixelUnderItsCentre) {
  const struct {
    const char* size;
    int askedWidth, askedHeight;
    int fileWidth, fileHeight;
    // The frame pixel a file pixel shows, in screen rows; a centre on the line between two frame
    // pixels takes the one to its right, or above it.
    std::function<Point(int, int)> source;
  } rows[] = {
      {"the frame's own", 0, 0, 6, 4,
       [](int x, int y) {
         return Point{x, y};
       }},
      {"one side asked is not a size", 3, 0, 6, 4,
       [](int x, int y) {
         return Point{x, y};
       }},
      {"halved", 3, 2, 3, 2,
       [](int x, int y) {
         return Point{2 * x + 1, 2 * y};
       }},
      {"doubled", 12, 8, 12, 8,
       [](int x, int y) {
         return Point{x / 2, y / 2};
       }},
      {"narrowed to a third", 2, 4, 2, 4,
       [](int x, int y) {
         return Point{3 * x + 1, y};
       }},
      {"one pixel", 1, 1, 1, 1,
       [](int, int) {
         return Point{3, 1};
       }},
  };
  TempFolder folder;
  std::string path = folder.File("shot.tga");
  for (const auto& row : rows) {
    SCOPED_TRACE(row.size);
    ASSERT_TRUE(
        SaveScreenshot(path.c_str(), K_IMAGE_TGA, MakeFrame(), row.askedWidth, row.askedHeight));
    auto image = LoadImageFile(path.c_str());
    ASSERT_TRUE(image);
    ASSERT_EQ(image->width, row.fileWidth);
    ASSERT_EQ(image->height, row.fileHeight);
    for (int y = 0; y < row.fileHeight; ++y) {
      for (int x = 0; x < row.fileWidth; ++x) {
        Point from = row.source(x, y);
        uint32_t expected = FramePixel(from.x, from.y), pixel = image->Pixel(x, y);
        ASSERT_EQ(PixelRed(pixel), uint8_t(expected >> 16)) << "at " << x << ", " << y;
        ASSERT_EQ(PixelGreen(pixel), uint8_t(expected >> 8)) << "at " << x << ", " << y;
      }
    }
    std::filesystem::remove(path);
  }
}

TEST(ScreenshotRefusals, FramesAndSizesThatWriteNoFile) {
  ScreenFrame unread{{}, kFrameWidth, kFrameHeight};
  ScreenFrame shortFrame = MakeFrame();
  shortFrame.width = kFrameWidth + 1;
  struct Case {
    const char* what;
    ScreenFrame frame;
    int format, width, height;
  } cases[] = {
      {"a frame that could not be read", unread, K_IMAGE_TGA, 0, 0},
      {"a frame short of its pixels", shortFrame, K_IMAGE_TGA, 0, 0},
      {"a frame without a size", ScreenFrame{}, K_IMAGE_TGA, 0, 0},
      {"a size larger than the writer takes", MakeFrame(), K_IMAGE_TGA, 100000, 100000},
      {"an unknown format", MakeFrame(), 7, 0, 0},
      {"an unknown format at an asked size", MakeFrame(), 7, 3, 2},
  };
  TempFolder folder;
  std::string path = folder.File("shot.tga");
  for (const Case& c : cases) {
    EXPECT_FALSE(SaveScreenshot(path.c_str(), c.format, c.frame, c.width, c.height)) << c.what;
    EXPECT_FALSE(std::filesystem::exists(path)) << c.what;
  }
}

}  // namespace
