// The drawing settings that every picture holds whatever its renderer (blend mode, blit colour,
// colour key, wrap, smoothing), their rules, and the texel fill from a decoded image. Both picture
// variants keep a PictureSettings and call these functions, so the rules live in one place.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "DecodedImage.h"
#include "KGraphic.h"

static_assert(std::endian::native == std::endian::little,
              "pixel words hold red, green, blue, alpha in memory order");

struct Color {
  float r, g, b, a;
};

// The two factors of a KBlendMode; each renderer turns them into its own enumerants.
enum class BlendFactor { kZero, kOne, kSourceAlpha, kInverseSourceAlpha, kDestinationAlpha };
struct BlendFactors {
  BlendFactor source, destination;
};
bool IsBlendMode(int mode);
// The factors of a valid mode (IsBlendMode); any other value gives the default mode's.
BlendFactors BlendFactorsOf(int mode);

struct ColorKey {
  bool on = false;
  uint8_t r = 0, g = 0, b = 0;

  bool Matches(uint8_t red, uint8_t green, uint8_t blue) const {
    return on && red == r && green == g && blue == b;
  }
};

// The blit colour: with modulation off, blits use white and the stored colour is kept unused.
struct BlitColor {
  bool modulate = false;
  Color color = {1, 1, 1, 1};

  // All four exactly 1: modulation off, colour left as it was. Otherwise every component is
  // limited to 0 to 1 (NaN counts as 0), stored, and modulation goes on.
  void Set(float r, float g, float b, float a);
  // The colour of BlitAlphaRect, BlitAlphaRectF and BlitArbitraryQuad.
  Color Tint() const;
  // The colour of BlitAlphaRectFx, BlitAlphaRectFxF (alpha as given) and StretchAlphaRect (an
  // alpha below 0 counts as 1 there): the tint with its alpha multiplied by alpha.
  Color EffectTint(float alpha, bool negativeAlphaIsOne) const;
};

struct PictureSettings {
  KBlendMode blendMode = K_BLEND_SRCALPHA_INVSRCALPHA;
  BlitColor blitColor;
  ColorKey colorKey;
  // Texture addressing: repeat (true) or clamp to the edge.
  bool wrap = false;
  // Texture filtering: bilinear (true) or the nearest texel.
  bool smooth = false;

  // Stores a valid KBlendMode and says whether it did; other values leave the mode.
  bool SetBlitMode(int mode);
  void SetColorKey(bool on, uint8_t r, uint8_t g, uint8_t b) { colorKey = {on, r, g, b}; }
};

// A colour as a packed ARGB word (alpha << 24 | red << 16 | green << 8 | blue), each component
// limited to 0 to 1 first and then multiplied by 255 and truncated.
uint32_t PackArgb(Color color);

// Pixel words: bytes red, green, blue, alpha in memory order.
constexpr uint8_t PixelRed(uint32_t pixel) {
  return static_cast<uint8_t>(pixel);
}
constexpr uint8_t PixelGreen(uint32_t pixel) {
  return static_cast<uint8_t>(pixel >> 8);
}
constexpr uint8_t PixelBlue(uint32_t pixel) {
  return static_cast<uint8_t>(pixel >> 16);
}
constexpr uint8_t PixelAlpha(uint32_t pixel) {
  return static_cast<uint8_t>(pixel >> 24);
}
constexpr uint32_t PackPixel(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  return r | g << 8 | b << 16 | static_cast<uint32_t>(a) << 24;
}

// Clears the alpha of every image pixel whose colour matches the key; the colour stays.
void ClearKeyedAlpha(DecodedImage& image, const ColorKey& key);

// The image's own pixel block made into a side x side texture in place (so that a picture is
// never held twice): the image in its top-left corner, top row first, zeros beside and below it,
// each texel with the pixel's colour and alpha, alpha 0 where the colour key matches. The image is
// left empty (0 x 0, no pixels). Null, the image unchanged, when side is smaller than the image,
// larger than kMaxTextureSide, or memory runs out.
PixelBlock MakeTexture(DecodedImage& image, const ColorKey& key, uint32_t side);

// Sets every pixel of a caller's array whose colour matches the key to 0 (transparent black).
void ApplyColorKey(uint32_t* pixels, size_t count, const ColorKey& key);
