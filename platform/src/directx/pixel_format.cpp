#include "directx/pixel_format.h"

#include <cstring>

namespace platform::directx {
namespace {

struct LayoutDescription {
  Layout layout;
  DWORD flags;
  DWORD bits;
  DWORD red, green, blue, alpha;
};

constexpr LayoutDescription kLayouts[] = {
    {Layout::kA8R8G8B8, DDPF_RGB | DDPF_ALPHAPIXELS, 32, 0x00FF0000, 0x0000FF00, 0x000000FF,
     0xFF000000},
    {Layout::kX8R8G8B8, DDPF_RGB, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0},
    {Layout::kA4R4G4B4, DDPF_RGB | DDPF_ALPHAPIXELS, 16, 0x0F00, 0x00F0, 0x000F, 0xF000},
    {Layout::kX1R5G5B5, DDPF_RGB, 16, 0x7C00, 0x03E0, 0x001F, 0},
    {Layout::kR5G6B5, DDPF_RGB, 16, 0xF800, 0x07E0, 0x001F, 0},
};

uint16_t Read16(const unsigned char* pixel) {
  uint16_t value;
  std::memcpy(&value, pixel, sizeof value);
  return value;
}

uint8_t Widen4(unsigned value) {
  return static_cast<uint8_t>((value & 0xF) * 17);
}
uint8_t Widen5(unsigned value) {
  return static_cast<uint8_t>((value & 0x1F) << 3);
}
uint8_t Widen6(unsigned value) {
  return static_cast<uint8_t>((value & 0x3F) << 2);
}

}  // namespace

int BytesPerPixel(Layout layout) {
  switch (layout) {
    case Layout::kA8R8G8B8:
    case Layout::kX8R8G8B8:
      return 4;
    case Layout::kA4R4G4B4:
    case Layout::kX1R5G5B5:
    case Layout::kR5G6B5:
      return 2;
    case Layout::kDepth:
      return 0;
  }
  return 0;
}

DDPIXELFORMAT Describe(Layout layout) {
  DDPIXELFORMAT format{};
  format.dwSize = sizeof format;
  for (const LayoutDescription& known : kLayouts) {
    if (known.layout != layout) continue;
    format.dwFlags = known.flags;
    format.dwRGBBitCount = known.bits;
    format.dwRBitMask = known.red;
    format.dwGBitMask = known.green;
    format.dwBBitMask = known.blue;
    format.dwRGBAlphaBitMask = known.alpha;
  }
  return format;
}

GlPixels GlPixelsOf(Layout layout) {
  switch (layout) {
    case Layout::kA8R8G8B8:
      return {GL_RGBA8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
    case Layout::kX8R8G8B8:
      return {GL_RGB8, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV};
    case Layout::kA4R4G4B4:
      return {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV};
    case Layout::kX1R5G5B5:
      // GL_RGB5_A1 would make the unused top bit the texel's alpha.
      return {GL_RGB5, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV};
    case Layout::kR5G6B5:
      return {GL_RGB8, GL_RGB, GL_UNSIGNED_SHORT_5_6_5};
    case Layout::kDepth:
      break;
  }
  return {GL_DEPTH_COMPONENT24, GL_DEPTH_COMPONENT, GL_UNSIGNED_INT};
}

std::optional<Layout> LayoutOf(const DDPIXELFORMAT& format) {
  if (format.dwFlags & DDPF_ZBUFFER) {
    DWORD bits = format.dwZBufferBitDepth;
    if (bits == 16 || bits == 24 || bits == 32) return Layout::kDepth;
    return std::nullopt;
  }
  for (const LayoutDescription& known : kLayouts) {
    DWORD alpha = (format.dwFlags & DDPF_ALPHAPIXELS) ? format.dwRGBAlphaBitMask : 0;
    if (format.dwFlags == known.flags && format.dwRGBBitCount == known.bits &&
        format.dwRBitMask == known.red && format.dwGBitMask == known.green &&
        format.dwBBitMask == known.blue && alpha == known.alpha) {
      return known.layout;
    }
  }
  return std::nullopt;
}

Rgb ReadRgb(Layout layout, const unsigned char* pixel) {
  switch (layout) {
    case Layout::kA8R8G8B8:
    case Layout::kX8R8G8B8:
      return {pixel[2], pixel[1], pixel[0]};
    case Layout::kA4R4G4B4: {
      uint16_t value = Read16(pixel);
      return {Widen4(value >> 8), Widen4(value >> 4), Widen4(value)};
    }
    case Layout::kX1R5G5B5: {
      uint16_t value = Read16(pixel);
      return {Widen5(value >> 10), Widen5(value >> 5), Widen5(value)};
    }
    case Layout::kR5G6B5: {
      uint16_t value = Read16(pixel);
      return {Widen5(value >> 11), Widen6(value >> 5), Widen5(value)};
    }
    case Layout::kDepth:
      break;
  }
  return {0, 0, 0};
}

void WritePixel(Layout layout, unsigned char* pixel, DWORD value) {
  if (BytesPerPixel(layout) == 4) {
    std::memcpy(pixel, &value, 4);
  } else if (BytesPerPixel(layout) == 2) {
    uint16_t narrow = static_cast<uint16_t>(value);
    std::memcpy(pixel, &narrow, 2);
  }
}

}  // namespace platform::directx
