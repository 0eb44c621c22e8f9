// The pixel layouts that surfaces keep in memory, how DirectDraw describes them and how OpenGL
// takes them.
#pragma once

#include "gl/opengl.h"

#include <cstdint>
#include <optional>

#include "platform/directdraw.h"

namespace platform::directx {

enum class Layout {
  kA8R8G8B8,  // 32-bit texels, bytes blue, green, red, alpha in memory
  kX8R8G8B8,  // 32-bit display and back buffer pixels; the fourth byte is not used
  kA4R4G4B4,
  kX1R5G5B5,  // top bit not used
  kR5G6B5,
  kDepth,  // depth buffers: no memory that can be read
};

struct GlPixels {
  GLenum internalFormat;
  GLenum format;
  GLenum type;
};

struct Rgb {
  uint8_t red, green, blue;
};

int BytesPerPixel(Layout layout);
DDPIXELFORMAT Describe(Layout layout);
GlPixels GlPixelsOf(Layout layout);
// The layout a description asks for; none for formats surfaces can't hold.
std::optional<Layout> LayoutOf(const DDPIXELFORMAT& format);
// The colour of the pixel at `pixel`, each channel widened to 0..255.
Rgb ReadRgb(Layout layout, const unsigned char* pixel);
// Writes `value` (a pixel in the layout, as Blt's fill colour gives it) to `pixel`.
void WritePixel(Layout layout, unsigned char* pixel, DWORD value);

}  // namespace platform::directx
