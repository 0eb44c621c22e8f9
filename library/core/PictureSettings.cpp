#include "PictureSettings.h"

#include <cstring>
#include <new>

#include "TextureSide.h"

namespace {

float Limit(float value) {
  if (!(value >= 0.0f)) return 0.0f;
  return value > 1.0f ? 1.0f : value;
}

uint32_t ToByte(float value) {
  return static_cast<uint32_t>(Limit(value) * 255.0f);
}

// The pixel word, its alpha 0 when the colour key matches.
uint32_t KeyedPixel(uint32_t pixel, const ColorKey& key) {
  if (key.Matches(PixelRed(pixel), PixelGreen(pixel), PixelBlue(pixel))) {
    return pixel & 0x00FFFFFFu;
  }
  return pixel;
}

}  // namespace

bool IsBlendMode(int mode) {
  return mode >= K_BLEND_SRCALPHA_DSTALPHA && mode <= K_BLEND_ZERO_INVSRCALPHA;
}

BlendFactors BlendFactorsOf(int mode) {
  switch (mode) {
    case K_BLEND_SRCALPHA_DSTALPHA:
      return {BlendFactor::kSourceAlpha, BlendFactor::kDestinationAlpha};
    case K_BLEND_ONE_INVSRCALPHA:
      return {BlendFactor::kOne, BlendFactor::kInverseSourceAlpha};
    case K_BLEND_ZERO_INVSRCALPHA:
      return {BlendFactor::kZero, BlendFactor::kInverseSourceAlpha};
    default:
      return {BlendFactor::kSourceAlpha, BlendFactor::kInverseSourceAlpha};
  }
}

void BlitColor::Set(float r, float g, float b, float a) {
  if (r == 1.0f && g == 1.0f && b == 1.0f && a == 1.0f) {
    modulate = false;
    return;
  }
  color = {Limit(r), Limit(g), Limit(b), Limit(a)};
  modulate = true;
}

Color BlitColor::Tint() const {
  return modulate ? color : Color{1, 1, 1, 1};
}

Color BlitColor::EffectTint(float alpha, bool negativeAlphaIsOne) const {
  if (negativeAlphaIsOne && alpha < 0.0f) alpha = 1.0f;
  Color tint = Tint();
  tint.a *= alpha;
  return tint;
}

bool PictureSettings::SetBlitMode(int mode) {
  if (!IsBlendMode(mode)) return false;
  blendMode = mode;
  return true;
}

uint32_t PackArgb(Color color) {
  return ToByte(color.a) << 24 | ToByte(color.r) << 16 | ToByte(color.g) << 8 | ToByte(color.b);
}

std::unique_ptr<uint32_t[]> FillTexture(const DecodedImage& image, const ColorKey& key,
                                        uint32_t side) {
  if (side > kMaxTextureSide || side < static_cast<uint32_t>(image.width) ||
      side < static_cast<uint32_t>(image.height)) {
    return nullptr;
  }
  size_t count = static_cast<size_t>(side) * side;
  std::unique_ptr<uint32_t[]> texels(new (std::nothrow) uint32_t[count]());
  if (!texels) return nullptr;
  for (int y = 0; y < image.height; ++y) {
    uint32_t* row = texels.get() + static_cast<size_t>(y) * side;
    for (int x = 0; x < image.width; ++x) row[x] = KeyedPixel(image.Pixel(x, y), key);
  }
  return texels;
}

void KeyImage(DecodedImage* image, const ColorKey& key) {
  if (!key.on) return;
  size_t count = static_cast<size_t>(image->width) * static_cast<size_t>(image->height);
  for (size_t i = 0; i < count; ++i) image->pixels[i] = KeyedPixel(image->pixels[i], key);
}

void ApplyColorKey(uint32_t* pixels, size_t count, const ColorKey& key) {
  if (!pixels || !key.on) return;
  uint32_t keyColour = PackPixel(key.r, key.g, key.b, 0);
  for (size_t i = 0; i < count; ++i) {
    if ((pixels[i] & 0x00FFFFFFu) == keyColour) pixels[i] = 0;
  }
}
