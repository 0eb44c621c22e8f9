#include <gtest/gtest.h>

#include <cmath>

#include "KPictureSettings.h"
#include "KTextureSide.h"

namespace {

TEST(TextureSide, IsThePowerOfTwoThatHoldsThePictureAndAtLeastFour) {
  EXPECT_EQ(KTextureSide(1, 1, K_TEXTURE_SIDE_MINIMUM), 4u);
  EXPECT_EQ(KTextureSide(3, 2, K_TEXTURE_SIDE_MINIMUM), 4u);
  EXPECT_EQ(KTextureSide(4, 4, K_TEXTURE_SIDE_MINIMUM), 4u);
  EXPECT_EQ(KTextureSide(5, 3, K_TEXTURE_SIDE_MINIMUM), 8u);
  EXPECT_EQ(KTextureSide(256, 100, K_TEXTURE_SIDE_MINIMUM), 256u);
  EXPECT_EQ(KTextureSide(257, 10, K_TEXTURE_SIDE_MINIMUM), 512u);
  EXPECT_EQ(KTextureSide(800, 600, K_TEXTURE_SIDE_MINIMUM), 1024u);
  EXPECT_EQ(KTextureSide(0, 0, K_TEXTURE_SIDE_MINIMUM), 4u);
}

TEST(TextureSide, WithoutMinimumASinglePixelIsItsOwnTexture) {
  EXPECT_EQ(KTextureSide(1, 1, K_TEXTURE_SIDE_NO_MINIMUM), 1u);
  EXPECT_EQ(KTextureSide(3, 2, K_TEXTURE_SIDE_NO_MINIMUM), 4u);
  EXPECT_EQ(KTextureSide(5, 3, K_TEXTURE_SIDE_NO_MINIMUM), 8u);
  EXPECT_EQ(KTextureSide(10, 257, K_TEXTURE_SIDE_NO_MINIMUM), 512u);
}

TEST(TextureSide, PicturesBeyondTheLargestTextureHaveNone) {
  EXPECT_EQ(KTextureSide(K_MAX_TEXTURE_SIDE, 1, K_TEXTURE_SIDE_MINIMUM), K_MAX_TEXTURE_SIDE);
  EXPECT_EQ(KTextureSide(K_MAX_TEXTURE_SIDE + 1, 1, K_TEXTURE_SIDE_MINIMUM), 0u);
  EXPECT_EQ(KTextureSide(1, UINT32_MAX, K_TEXTURE_SIDE_NO_MINIMUM), 0u);
}

TEST(BlitColor, AllOnesTurnsModulationOffAndKeepsTheStoredColour) {
  KBlitColor blit;
  blit.Set(0.25f, 0.5f, 0.75f, 0.5f);
  blit.Set(1, 1, 1, 1);
  EXPECT_FALSE(blit.modulate);
  EXPECT_EQ(blit.color.r, 0.25f);
  EXPECT_EQ(blit.color.a, 0.5f);
}

TEST(BlitColor, ComponentsAreLimitedToTheUnitRange) {
  KBlitColor blit;
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
  KBlitColor blit;
  KColor plain = blit.Tint();
  EXPECT_EQ(plain.r, 1.0f);
  EXPECT_EQ(plain.a, 1.0f);
  KColor faded = blit.EffectTint(0.25f, false);
  EXPECT_EQ(faded.g, 1.0f);
  EXPECT_EQ(faded.a, 0.25f);

  blit.Set(1, 0, 0, 0.5f);
  EXPECT_EQ(blit.Tint().g, 0.0f);
  KColor tinted = blit.EffectTint(0.5f, false);
  EXPECT_EQ(tinted.r, 1.0f);
  EXPECT_EQ(tinted.a, 0.25f);
  // StretchAlphaRect counts a negative alpha as 1, the Fx blits do not.
  EXPECT_EQ(blit.EffectTint(-1, true).a, 0.5f);
  EXPECT_EQ(blit.EffectTint(-1, false).a, -0.5f);
}

TEST(BlitMode, OnlyTheFourModesAreTaken) {
  KPictureSettings settings;
  EXPECT_EQ(settings.blendMode, K_BLEND_SRCALPHA_INVSRCALPHA);
  EXPECT_TRUE(settings.SetBlitMode(K_BLEND_ZERO_INVSRCALPHA));
  EXPECT_FALSE(settings.SetBlitMode(4));
  EXPECT_FALSE(settings.SetBlitMode(-1));
  EXPECT_EQ(settings.blendMode, K_BLEND_ZERO_INVSRCALPHA);
}

TEST(BlitMode, FactorPairs) {
  auto expectPair = [](int mode, KBlendFactor source, KBlendFactor destination) {
    KBlendFactors factors = KBlendFactorsOf(mode);
    EXPECT_EQ(factors.source, source) << mode;
    EXPECT_EQ(factors.destination, destination) << mode;
  };
  expectPair(0, KBlendFactor::SourceAlpha, KBlendFactor::DestinationAlpha);
  expectPair(1, KBlendFactor::SourceAlpha, KBlendFactor::InverseSourceAlpha);
  expectPair(2, KBlendFactor::One, KBlendFactor::InverseSourceAlpha);
  expectPair(3, KBlendFactor::Zero, KBlendFactor::InverseSourceAlpha);
}

TEST(PackArgb, PacksLimitedComponents) {
  EXPECT_EQ(KPackArgb({1, 0.5f, 0, 1}), 0xFFFF7F00u);
  EXPECT_EQ(KPackArgb({2, -1, 1, 0.5f}), 0x7FFF00FFu);
}

KImage MakeImage(int width, int height, bool hasAlpha, std::initializer_list<uint32_t> pixels) {
  KImage image;
  image.width = width;
  image.height = height;
  image.hasAlpha = hasAlpha;
  image.pixels.reset(static_cast<uint32_t*>(std::malloc(pixels.size() * sizeof(uint32_t))));
  std::copy(pixels.begin(), pixels.end(), image.pixels.get());
  return image;
}

TEST(TextureFill, PutsThePictureTopLeftWithZerosAround) {
  KImage image = MakeImage(3, 2, true,
                           {KPixel(1, 2, 3, 4), KPixel(5, 6, 7, 8), KPixel(9, 9, 9, 9),
                            KPixel(10, 11, 12, 13), KPixel(14, 15, 16, 17), KPixel(0, 0, 0, 0)});
  auto texels = KFillTexture(image, KColorKey{}, 4);
  ASSERT_TRUE(texels);
  EXPECT_EQ(texels[0], KPixel(1, 2, 3, 4));
  EXPECT_EQ(texels[2], KPixel(9, 9, 9, 9));
  EXPECT_EQ(texels[3], 0u);
  EXPECT_EQ(texels[4], KPixel(10, 11, 12, 13));
  EXPECT_EQ(texels[5], KPixel(14, 15, 16, 17));
  for (int i = 8; i < 16; ++i) EXPECT_EQ(texels[i], 0u) << i;
}

TEST(TextureFill, TheColourKeyClearsAlphaOfExactlyItsColour) {
  KImage image = MakeImage(
      3, 1, false, {KPixel(255, 0, 255, 255), KPixel(255, 0, 254, 255), KPixel(255, 1, 255, 255)});
  KColorKey key{true, 255, 0, 255};
  auto texels = KFillTexture(image, key, 4);
  ASSERT_TRUE(texels);
  EXPECT_EQ(texels[0], KPixel(255, 0, 255, 0));
  EXPECT_EQ(texels[1], KPixel(255, 0, 254, 255));
  EXPECT_EQ(texels[2], KPixel(255, 1, 255, 255));
  key.on = false;
  EXPECT_EQ(KImageTexel(image, 0, 0, key), KPixel(255, 0, 255, 255));
}

TEST(TextureFill, ATextureTooSmallOrTooLargeIsRefused) {
  KImage image = MakeImage(3, 1, false, {0, 0, 0});
  EXPECT_FALSE(KFillTexture(image, KColorKey{}, 2));
  EXPECT_FALSE(KFillTexture(image, KColorKey{}, K_MAX_TEXTURE_SIDE * 2));
  KImage empty;
  auto texels = KFillTexture(empty, KColorKey{}, 4);
  ASSERT_TRUE(texels);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(texels[i], 0u);
}

TEST(ColorKey, ClearsMatchingArrayPixelsWhateverTheirAlpha) {
  uint32_t pixels[] = {KPixel(255, 0, 255, 255), KPixel(255, 0, 255, 7), KPixel(255, 0, 0, 255)};
  KApplyColorKey(pixels, 3, KColorKey{false, 255, 0, 255});
  EXPECT_EQ(pixels[0], KPixel(255, 0, 255, 255));
  KApplyColorKey(pixels, 3, KColorKey{true, 255, 0, 255});
  EXPECT_EQ(pixels[0], 0u);
  EXPECT_EQ(pixels[1], 0u);
  EXPECT_EQ(pixels[2], KPixel(255, 0, 0, 255));
}

}  // namespace
