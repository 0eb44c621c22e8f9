#include "PictureSettings.h"

#include <cstdlib>
#include <cstring>

#include "TextureSide.h"

namespace {

float Limit(float value) {
  if (!(value >= 0.0f)) return 0.0f;
  return value > 1.0f ? 1.0f : value;
}

uint32_t ToByte(float value) {
  return static_cast<uint32_t>(Limit(value) * 255.0f);
}

size_t PixelCount(const DecodedImage& image) {
  return static_cast<size_t>(image.width) * static_cast<size_t>(image.height);
}

void ClearKeyedAlphaOf(uint32_t* pixels, size_t count, const ColorKey& key) {
  if (!key.on) return;
  for (uint32_t* pixel = pixels; pixel != pixels + count; ++pixel) {
    if (key.Matches(PixelRed(*pixel), PixelGreen(*pixel), PixelBlue(*pixel))) *pixel &= 0x00FFFFFFu;
  }
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

void ClearKeyedAlpha(DecodedImage& image, const ColorKey& key) {
  if (image.pixels) ClearKeyedAlphaOf(image.pixels.get(), PixelCount(image), key);
}

PixelBlock MakeTexture(DecodedImage& image, const ColorKey& key, uint32_t side) {
  if (side > kMaxTextureSide || side < static_cast<uint32_t>(image.width) ||
      side < static_cast<uint32_t>(image.height)) {
    return nullptr;
  }
  // Growing a large block moves no pixels: the allocator maps more pages behind it.
  size_t width = static_cast<size_t>(image.width), height = static_cast<size_t>(image.height);
  void* grown = std::realloc(image.pixels.get(), static_cast<size_t>(side) * side * 4);
  if (!grown) return nullptr;
  image.pixels.release();
  image = DecodedImage{};
  PixelBlock texels(static_cast<uint32_t*>(grown));
  uint32_t* block = texels.get();
  ClearKeyedAlphaOf(block, width * height, key);
  // Rows move from the last to the first, each to a place at or after its own, so that no row
  // is overwritten before it has moved.
  for (size_t y = height; y-- > 0;) {
    std::memmove(block + y * side, block + y * width, width * 4);
    std::memset(block + y * side + width, 0, (side - width) * 4);
  }
  std::memset(block + height * side, 0, (side - height) * side * 4);
  return texels;
}

void ApplyColorKey(uint32_t* pixels, size_t count, const ColorKey& key) {
  if (!pixels || !key.on) return;
  uint32_t keyColour = PackPixel(key.r, key.g, key.b, 0);
  for (size_t i = 0; i < count; ++i) {
    if ((pixels[i] & 0x00FFFFFFu) == keyColour) pixels[i] = 0;
  }
}
