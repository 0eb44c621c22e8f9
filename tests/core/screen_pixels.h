// Screen pixels as the tests of both renderers read them back: in screen coordinates (origin at
// the top left, y downward), a rectangle's top row first.
#pragma once

#include "platform/opengl.h"

#include <cstdlib>
#include <ostream>
#include <vector>

#include "DXPictureDevice.h"

struct Rgb {
  int red, green, blue;
  bool operator==(const Rgb&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Rgb& c) {
  return out << "(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

inline bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.red - b.red) <= tolerance && std::abs(a.green - b.green) <= tolerance &&
         std::abs(a.blue - b.blue) <= tolerance;
}

inline const Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255}, kRed{255, 0, 0}, kGreen{0, 255, 0},
    kBlue{0, 0, 255};

// What a pixel that could not be read reads as.
inline const Rgb kUnread{-1, -1, -1};

// A rectangle of the back buffer of the current OpenGL context, whose window is screenHeight
// pixels high.
inline std::vector<Rgb> ReadOpenGLPixels(int x, int y, int width, int height, int screenHeight) {
  std::vector<unsigned char> bytes(size_t(width) * height * 4);
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glReadPixels(x, screenHeight - y - height, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
               bytes.data());
  std::vector<Rgb> pixels;
  for (int row = height - 1; row >= 0; --row) {
    for (int column = 0; column < width; ++column) {
      const unsigned char* p = &bytes[(size_t(row) * width + column) * 4];
      pixels.push_back({p[0], p[1], p[2]});
    }
  }
  return pixels;
}

// A rectangle of the back buffer that the DirectX window handed to its pictures.
inline std::vector<Rgb> ReadDirectXPixels(int x, int y, int width, int height) {
  std::vector<Rgb> pixels(size_t(width) * height, kUnread);
  HDC dc = nullptr;
  if (!g_dxPictures.backBuffer || g_dxPictures.backBuffer->GetDC(&dc) != DD_OK) return pixels;
  for (int row = 0; row < height; ++row) {
    for (int column = 0; column < width; ++column) {
      COLORREF c = GetPixel(dc, x + column, y + row);
      pixels[size_t(row) * width + column] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    }
  }
  g_dxPictures.backBuffer->ReleaseDC(dc);
  return pixels;
}

// The indices of the pixels that have the colour.
inline std::vector<int> IndicesOf(const std::vector<Rgb>& pixels, const Rgb& color) {
  std::vector<int> found;
  for (size_t i = 0; i < pixels.size(); ++i)
    if (pixels[i] == color) found.push_back(int(i));
  return found;
}
