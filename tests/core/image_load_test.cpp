#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "DecodedImage.h"
#include "ImageDecoders.h"
#include "KArchiveList.h"
#include "KDataFile.h"
#include "TextureSide.h"
#include "image_files.h"
#include "tar_builder.h"
#include "temp_folder.h"

namespace {

class ImageLoad : public testing::Test {
 protected:
  std::unique_ptr<DecodedImage> Load(const std::string& name, const std::string& bytes,
                                     ExtensionCase extensionCase = ExtensionCase::kAny) {
    return LoadImageFile(folder.Write(name, bytes).c_str(), extensionCase);
  }

  // Every pixel of the image equals the picture's, exactly.
  static void ExpectPixels(const DecodedImage& image, const TestPicture& picture, bool withAlpha) {
    ASSERT_EQ(image.width, picture.width);
    ASSERT_EQ(image.height, picture.height);
    for (int y = 0; y < picture.height; ++y) {
      for (int x = 0; x < picture.width; ++x) {
        uint32_t expected = picture.At(x, y);
        if (!withAlpha) expected |= 0xFF000000u;
        EXPECT_EQ(image.Pixel(x, y), expected) << "at " << x << ", " << y;
      }
    }
  }

  TempFolder folder;
  TestPicture picture = Gradient(5, 3);
};

TEST_F(ImageLoad, PngKeepsItsAlphaAndRowOrder) {
  auto image = Load("rgba.png", PngFile(picture, 4));
  ASSERT_TRUE(image);
  EXPECT_TRUE(image->hasAlpha);
  ExpectPixels(*image, picture, true);
}

TEST_F(ImageLoad, PngWithoutAlphaIsOpaque) {
  auto image = Load("rgb.png", PngFile(picture, 3));
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->hasAlpha);
  ExpectPixels(*image, picture, false);
}

TEST_F(ImageLoad, GreyPngsSpreadGreyOverTheThreeColours) {
  auto grey = Load("grey.png", PngFile(picture, 1));
  auto greyAlpha = Load("grey-alpha.png", PngFile(picture, 2));
  ASSERT_TRUE(grey && greyAlpha);
  EXPECT_FALSE(grey->hasAlpha);
  EXPECT_TRUE(greyAlpha->hasAlpha);
  uint32_t pixel = picture.At(2, 1);
  uint8_t level = PixelRed(pixel);
  EXPECT_EQ(grey->Pixel(2, 1), PackPixel(level, level, level, 255));
  EXPECT_EQ(greyAlpha->Pixel(2, 1), PackPixel(level, level, level, PixelAlpha(pixel)));
}

TEST_F(ImageLoad, PalettePngTakesItsAlphaRuleFromTheColourType) {
  const std::vector<uint32_t> palette = {PackPixel(255, 0, 0, 255), PackPixel(0, 0, 255, 0),
                                         PackPixel(1, 2, 3, 128)};
  auto image = Load("palette.png", PalettePngFile(3, 2, palette, {0, 1, 2, 2, 1, 0}));
  ASSERT_TRUE(image);
  // Colour type 3 declares no alpha channel: the transparency chunk does not make one.
  EXPECT_FALSE(image->hasAlpha);
  EXPECT_EQ(image->Pixel(0, 0), PackPixel(255, 0, 0, 255));
  EXPECT_EQ(image->Pixel(1, 0), PackPixel(0, 0, 255, 255));
  EXPECT_EQ(image->Pixel(0, 1), PackPixel(1, 2, 3, 255));
  EXPECT_EQ(image->Pixel(2, 1), PackPixel(255, 0, 0, 255));
}

TEST_F(ImageLoad, BmpOfThirtyTwoBitsCarriesAlphaAndTwentyFourBitsDoNot) {
  auto deep = Load("deep.bmp", BmpFile(picture, 32));
  auto plain = Load("plain.bmp", BmpFile(picture, 24));
  auto topDown = Load("top-down.bmp", BmpFile(picture, 24, true));
  ASSERT_TRUE(deep && plain && topDown);
  EXPECT_TRUE(deep->hasAlpha);
  EXPECT_FALSE(plain->hasAlpha);
  ExpectPixels(*deep, picture, true);
  ExpectPixels(*plain, picture, false);
  ExpectPixels(*topDown, picture, false);
}

TEST_F(ImageLoad, PaletteBmp) {
  const std::vector<uint32_t> palette = {PackPixel(10, 20, 30, 0), PackPixel(200, 100, 50, 0)};
  auto image = Load("palette.bmp", PaletteBmpFile(2, 2, palette, {0, 1, 1, 1}));
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->hasAlpha);
  EXPECT_EQ(image->Pixel(0, 0), PackPixel(10, 20, 30, 255));
  EXPECT_EQ(image->Pixel(1, 0), PackPixel(200, 100, 50, 255));
  EXPECT_EQ(image->Pixel(0, 1), PackPixel(200, 100, 50, 255));
}

TEST_F(ImageLoad, TgaInBothRowOrders) {
  auto bottomUp = Load("bottom-up.tga", TgaFile(picture, 32));
  auto topDown = Load("top-down.tga", TgaFile(picture, 32, true));
  auto plain = Load("plain.tga", TgaFile(picture, 24));
  ASSERT_TRUE(bottomUp && topDown && plain);
  EXPECT_TRUE(bottomUp->hasAlpha);
  EXPECT_FALSE(plain->hasAlpha);
  ExpectPixels(*bottomUp, picture, true);
  ExpectPixels(*topDown, picture, true);
  ExpectPixels(*plain, picture, false);
}

TEST_F(ImageLoad, GreyTga) {
  auto image = Load("grey.tga", GreyTgaFile(2, 2, {0, 80, 160, 255}));
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->hasAlpha);
  EXPECT_EQ(image->Pixel(1, 0), PackPixel(80, 80, 80, 255));
  EXPECT_EQ(image->Pixel(0, 1), PackPixel(160, 160, 160, 255));
}

TEST_F(ImageLoad, JpegIsOpaqueWithItsRowsInOrder) {
  // Flat 8 x 8 blocks survive the compression almost exactly.
  TestPicture blocks{16, 16, {}};
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x)
      blocks.pixels.push_back(y < 8 ? PackPixel(250, 250, 250, 0) : PackPixel(0, 0, 0, 0));
  }
  auto image = Load("blocks.jpg", JpegFile(blocks));
  ASSERT_TRUE(image);
  EXPECT_FALSE(image->hasAlpha);
  EXPECT_EQ(image->width, 16);
  EXPECT_NEAR(PixelRed(image->Pixel(3, 3)), 250, 4);
  EXPECT_NEAR(PixelRed(image->Pixel(3, 12)), 0, 4);
  EXPECT_EQ(PixelAlpha(image->Pixel(3, 3)), 255);
}

TEST_F(ImageLoad, ExtensionsAreMatchedInAnyCaseWithoutChangingTheCallersPath) {
  std::string path = folder.Write("Pictures/Sprite.PNG", PngFile(picture, 4));
  std::string callers = path;
  auto image = LoadImageFile(callers.c_str());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 5);
  EXPECT_EQ(callers, path);
}

TEST_F(ImageLoad, TheLowerCaseRuleRefusesCapitalExtensions) {
  EXPECT_FALSE(Load("sprite.PNG", PngFile(picture, 4), ExtensionCase::kLowerOnly));
  EXPECT_TRUE(Load("sprite.png", PngFile(picture, 4), ExtensionCase::kLowerOnly));
}

TEST_F(ImageLoad, OnlyTheFinalNamesExtensionCounts) {
  EXPECT_FALSE(Load("sprite.gif", PngFile(picture, 4)));
  EXPECT_FALSE(Load("folder.png/sprite.gif", PngFile(picture, 4)));
  EXPECT_FALSE(Load("sprite", PngFile(picture, 4)));
  EXPECT_FALSE(Load("sprite.pngx", PngFile(picture, 4)));
  // A name ending in .png.jpg is a JPEG: PNG bytes in it do not decode.
  auto misnamed = Load("sprite.png.jpg", PngFile(picture, 4));
  ASSERT_TRUE(misnamed);
  EXPECT_EQ(misnamed->width, 0);
}

TEST_F(ImageLoad, BytesOfAnotherTypeAreNotDecoded) {
  for (const char* name : {"png-as.bmp", "png-as.tga"}) {
    auto image = Load(name, PngFile(picture, 4));
    ASSERT_TRUE(image) << name;
    EXPECT_EQ(image->width, 0) << name;
    EXPECT_FALSE(image->pixels) << name;
  }
}

TEST_F(ImageLoad, AnUndecodableFileGivesAnEmptyImage) {
  auto image = Load("noise.png", "this is no picture at all");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 0);
  EXPECT_EQ(image->height, 0);
}

TEST_F(ImageLoad, MissingOrEmptyFilesGiveNothing) {
  EXPECT_FALSE(Load("empty.png", ""));
  EXPECT_FALSE(LoadImageFile(folder.File("missing.png").c_str()));
  EXPECT_FALSE(LoadImageFile(nullptr));
}

TEST_F(ImageLoad, TruncatedFilesNeverReadPastTheirEnd) {
  const std::string files[] = {PngFile(Gradient(40, 30), 4), BmpFile(Gradient(40, 30), 24),
                               TgaFile(Gradient(40, 30), 32), JpegFile(Gradient(40, 30))};
  const char* names[] = {"cut.png", "cut.bmp", "cut.tga", "cut.jpg"};
  for (int i = 0; i < 4; ++i) {
    for (size_t length : {size_t{1}, size_t{20}, files[i].size() / 2, files[i].size() - 1}) {
      auto image = Load(names[i], files[i].substr(0, length));
      ASSERT_TRUE(image) << names[i] << " cut at " << length;
      // Either nothing or the whole declared picture.
      EXPECT_TRUE(image->width == 0 || (image->width == 40 && image->height == 30 && image->pixels))
          << names[i] << " cut at " << length;
    }
  }
  auto png = Load("half.png", files[0].substr(0, files[0].size() / 2));
  EXPECT_EQ(png->width, 0);
}

TEST_F(ImageLoad, TheColourKeyMakesExactlyItsPixelsTransparent) {
  TestPicture keyed{
      3,
      2,
      {PackPixel(255, 0, 255, 255), PackPixel(254, 0, 255, 255), PackPixel(255, 0, 255, 255),
       PackPixel(0, 0, 0, 255), PackPixel(255, 1, 255, 255), PackPixel(255, 0, 255, 255)}};
  auto image = Load("keyed.bmp", BmpFile(keyed, 24));
  ASSERT_TRUE(image);
  auto texels = MakeTexture(*image, ColorKey{true, 255, 0, 255}, 4);
  ASSERT_TRUE(texels);
  const uint8_t expectedAlpha[2][3] = {{0, 255, 0}, {255, 255, 0}};
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x)
      EXPECT_EQ(PixelAlpha(texels[y * 4 + x]), expectedAlpha[y][x]) << x << ", " << y;
  }
}

TEST_F(ImageLoad, JpegHuffmanTablesWithMoreThan256CodesAreNotDecoded) {
  std::string jpeg = JpegFile(Gradient(16, 8));
  auto bytes = [](const std::string& file) {
    return reinterpret_cast<const uint8_t*>(file.data());
  };
  EXPECT_TRUE(kJpegCodec.safeToDecode(bytes(jpeg), jpeg.size()));
  // The first table's 16 code counts follow the marker, the length and the class byte.
  size_t table = jpeg.find("\xFF\xC4");
  ASSERT_NE(table, std::string::npos);
  jpeg.replace(table + 5, 16, std::string(16, '\x11'));
  EXPECT_FALSE(kJpegCodec.safeToDecode(bytes(jpeg), jpeg.size()));
  auto image = Load("oversized-table.jpg", jpeg);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->width, 0);
}

TEST_F(ImageLoad, JpegScansWithAnUndefinedHuffmanTableAreNotDecoded) {
  std::string jpeg = JpegFile(Gradient(16, 8));
  // Move the first table to slot 3, which no scan uses: slot 0 of its class stays undefined.
  size_t table = jpeg.find("\xFF\xC4");
  ASSERT_NE(table, std::string::npos);
  jpeg[table + 4] = static_cast<char>((jpeg[table + 4] & 0xF0) | 3);
  EXPECT_FALSE(kJpegCodec.safeToDecode(reinterpret_cast<const uint8_t*>(jpeg.data()), jpeg.size()));
}

TEST_F(ImageLoad, PicturesLargerThanATextureAreRefused) {
  TestPicture wide{static_cast<int>(kMaxTextureSide), 1,
                   std::vector<uint32_t>(kMaxTextureSide, PackPixel(1, 2, 3, 4))};
  auto largest = Load("largest.png", PngFile(wide, 3));
  ASSERT_TRUE(largest);
  EXPECT_EQ(largest->width, static_cast<int>(kMaxTextureSide));
  wide.width += 1;
  wide.pixels.push_back(0);
  EXPECT_FALSE(Load("too-wide.png", PngFile(wide, 3)));
}

TEST_F(ImageLoad, PicturesComeFromRegisteredArchives) {
  std::string tar = TarBuilder().File("img/spr/sheet.png", PngFile(picture, 4)).EndBlocks().Bytes();
  ASSERT_EQ(KDataFile::AddTarArchive(folder.Write("data.tar", tar).c_str()), K_FILE_OK);
  auto image = LoadImageFile("img\\spr\\sheet.png");
  g_archiveList.Clear();
  ASSERT_TRUE(image);
  ExpectPixels(*image, picture, true);
}

}  // namespace
