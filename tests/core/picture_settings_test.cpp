#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "PictureSettings.h"
#include "TextureSide.h"

namespace {

TEST(TextureSide, IsThePowerOfTwoThatHoldsThePictureAndAtLeastFour) {
  EXPECT_EQ(TextureSide(1, 1, kTextureSideMinimum), 4u);
  EXPECT_EQ(TextureSide(3, 2, kTextureSideMinimum), 4u);
  EXPECT_EQ(TextureSide(4, 4, kTextureSideMinimum), 4u);
  EXPECT_EQ(TextureSide(5, 3, kTextureSideMinimum), 8u);
  EXPECT_EQ(TextureSide(256, 100, kTextureSideMinimum), 256u);
  EXPECT_EQ(TextureSide(257, 10, kTextureSideMinimum), 512u);
  EXPECT_EQ(TextureSide(800, 600, kTextureSideMinimum), 1024u);
  EXPECT_EQ(TextureSide(0, 0, kTextureSideMinimum), 4u);
}

TEST(TextureSide, WithoutMinimumASinglePixelIsItsOwnTexture) {
  EXPECT_EQ(TextureSide(1, 1, kTextureSideNoMinimum), 1u);
  EXPECT_EQ(TextureSide(3, 2, kTextureSideNoMinimum), 4u);
  EXPECT_EQ(TextureSide(5, 3, kTextureSideNoMinimum), 8u);
  EXPECT_EQ(TextureSide(10, 257, kTextureSideNoMinimum), 512u);
}

TEST(TextureSide, PicturesBeyondTheLargestTextureHaveNone) {
  EXPECT_EQ(TextureSide(kMaxTextureSide, 1, kTextureSideMinimum), kMaxTextureSide);
  EXPECT_EQ(TextureSide(kMaxTextureSide + 1, 1, kTextureSideMinimum), 0u);
  EXPECT_EQ(TextureSide(1, UINT32_MAX, kTextureSideNoMinimum), 0u);
}

TEST(BlitColor, AllOnesTurnsModulationOffAndKeepsTheStoredColour) {
  BlitColor blit;
  blit.Set(0.25f, 0.5f, 0.75f, 0.5f);
  blit.Set(1, 1, 1, 1);
  EXPECT_FALSE(blit.modulate);
  EXPECT_EQ(blit.color.r, 0.25f);
  EXPECT_EQ(blit.color.a, 0.5f);
}

TEST(BlitColor, ComponentsAreLimitedToTheUnitRange) {
  BlitColor blit;
  blit.Set(2, -1, 0.5f, 1);
  EXPECT_TRUE(blit.modulate);
  EXPECT_EQ(blit.color.r, 1.0f);
  EXPECT_EQ(blit.color.g, 0.0f);
  EXPECT_EQ(blit.color.b, 0.5f);
  EXPECT_EQ(blit.color.a, 1.0f);
  blit.Set(std::nanf(""), 1, 1, 1);
  EXPECT_EQ(blit.color.r, 0.0f);
}

TEST(BlitColor, TintsByOperation) {
  BlitColor blit;
  Color plain = blit.Tint();
  EXPECT_EQ(plain.r, 1.0f);
  EXPECT_EQ(plain.a, 1.0f);
  Color faded = blit.EffectTint(0.25f, false);
  EXPECT_EQ(faded.g, 1.0f);
  EXPECT_EQ(faded.a, 0.25f);

  blit.Set(1, 0, 0, 0.5f);
  EXPECT_EQ(blit.Tint().g, 0.0f);
  Color tinted = blit.EffectTint(0.5f, false);
  EXPECT_EQ(tinted.r, 1.0f);
  EXPECT_EQ(tinted.a, 0.25f);
  // StretchAlphaRect counts a negative alpha as 1, the Fx blits do not.
  EXPECT_EQ(blit.EffectTint(-1, true).a, 0.5f);
  EXPECT_EQ(blit.EffectTint(-1, false).a, -0.5f);
}

TEST(BlitMode, OnlyTheFourModesAreTaken) {
  PictureSettings settings;
  EXPECT_EQ(settings.blendMode, K_BLEND_SRCALPHA_INVSRCALPHA);
  EXPECT_TRUE(settings.SetBlitMode(K_BLEND_ZERO_INVSRCALPHA));
  EXPECT_FALSE(settings.SetBlitMode(4));
  EXPECT_FALSE(settings.SetBlitMode(-1));
  EXPECT_EQ(settings.blendMode, K_BLEND_ZERO_INVSRCALPHA);
}

TEST(BlitMode, FactorPairs) {
  auto expectPair = [](int mode, BlendFactor source, BlendFactor destination) {
    BlendFactors factors = BlendFactorsOf(mode);
    EXPECT_EQ(factors.source, source) << mode;
    EXPECT_EQ(factors.destination, destination) << mode;
  };
  expectPair(0, BlendFactor::kSourceAlpha, BlendFactor::kDestinationAlpha);
  expectPair(1, BlendFactor::kSourceAlpha, BlendFactor::kInverseSourceAlpha);
  expectPair(2, BlendFactor::kOne, BlendFactor::kInverseSourceAlpha);
  expectPair(3, BlendFactor::kZero, BlendFactor::kInverseSourceAlpha);
}

TEST(PackArgb, PacksLimitedComponents) {
  EXPECT_EQ(PackArgb({1, 0.5f, 0, 1}), 0xFFFF7F00u);
  EXPECT_EQ(PackArgb({2, -1, 1, 0.5f}), 0x7FFF00FFu);
}

DecodedImage MakeImage(int width, int height, bool hasAlpha, const std::vector<uint32_t>& pixels) {
  DecodedImage image;
  image.width = width;
  image.height = height;
  image.hasAlpha = hasAlpha;
  image.pixels.reset(static_cast<uint32_t*>(std::malloc(pixels.size() * sizeof(uint32_t))));
  std::copy(pixels.begin(), pixels.end(), image.pixels.get());
  return image;
}

TEST(TextureFill, PutsThePictureTopLeftWithZerosAroundAndLeavesTheImageEmpty) {
  // Wide, tall and square pictures: each row moves to its place in the texture's own block.
  for (int width : {1, 3, 4}) {
    for (int height : {1, 2, 4}) {
      std::vector<uint32_t> pixels;
      for (int i = 0; i < width * height; ++i) pixels.push_back(PackPixel(i + 1, 0, 0, 7));
      DecodedImage image = MakeImage(width, height, true, pixels);
      auto texels = MakeTexture(image, ColorKey{}, 4);
      ASSERT_TRUE(texels);
      for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
          uint32_t expected = x < width && y < height ? pixels[size_t(y * width + x)] : 0u;
          EXPECT_EQ(texels[y * 4 + x], expected)
              << width << "x" << height << " at " << x << ", " << y;
        }
      }
      EXPECT_FALSE(image.pixels);
      EXPECT_EQ(image.width, 0);
    }
  }
}

TEST(TextureFill, TheColourKeyClearsAlphaOfExactlyItsColour) {
  const std::vector<uint32_t> pixels = {PackPixel(255, 0, 255, 255), PackPixel(255, 0, 254, 255),
                                        PackPixel(255, 1, 255, 255)};
  ColorKey key{true, 255, 0, 255};
  DecodedImage image = MakeImage(3, 1, false, pixels);
  auto texels = MakeTexture(image, key, 4);
  ASSERT_TRUE(texels);
  EXPECT_EQ(texels[0], PackPixel(255, 0, 255, 0));
  EXPECT_EQ(texels[1], PackPixel(255, 0, 254, 255));
  EXPECT_EQ(texels[2], PackPixel(255, 1, 255, 255));
  key.on = false;
  DecodedImage again = MakeImage(3, 1, false, pixels);
  EXPECT_EQ(MakeTexture(again, key, 4)[0], PackPixel(255, 0, 255, 255));
  DecodedImage inPlace = MakeImage(3, 1, false, pixels);
  ClearKeyedAlpha(inPlace, ColorKey{true, 255, 0, 255});
  EXPECT_EQ(inPlace.Pixel(0, 0), PackPixel(255, 0, 255, 0));
  EXPECT_EQ(inPlace.Pixel(1, 0), pixels[1]);
}

TEST(TextureFill, ATextureTooSmallOrTooLargeIsRefusedAndTheImageKept) {
  DecodedImage image = MakeImage(3, 1, false, {0, 0, PackPixel(1, 2, 3, 4)});
  EXPECT_FALSE(MakeTexture(image, ColorKey{}, 2));
  EXPECT_FALSE(MakeTexture(image, ColorKey{}, kMaxTextureSide * 2));
  ASSERT_TRUE(image.pixels);
  EXPECT_EQ(image.Pixel(2, 0), PackPixel(1, 2, 3, 4));
  DecodedImage empty;
  auto texels = MakeTexture(empty, ColorKey{}, 4);
  ASSERT_TRUE(texels);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(texels[i], 0u);
}

TEST(ColorKey, ClearsMatchingArrayPixelsWhateverTheirAlpha) {
  uint32_t pixels[] = {PackPixel(255, 0, 255, 255), PackPixel(255, 0, 255, 7),
                       PackPixel(255, 0, 0, 255)};
  ApplyColorKey(pixels, 3, ColorKey{false, 255, 0, 255});
  EXPECT_EQ(pixels[0], PackPixel(255, 0, 255, 255));
  ApplyColorKey(pixels, 3, ColorKey{true, 255, 0, 255});
  EXPECT_EQ(pixels[0], 0u);
  EXPECT_EQ(pixels[1], 0u);
  EXPECT_EQ(pixels[2], PackPixel(255, 0, 0, 255));
}

}  // namespace
