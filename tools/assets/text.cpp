#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <stdexcept>

TextPainter::TextPainter(const std::string& fontPath) {
  if (FT_Init_FreeType(&library_) != 0) throw std::runtime_error("FreeType cannot start");
  if (FT_New_Face(library_, fontPath.c_str(), 0, &face_) != 0) {
    FT_Done_FreeType(library_);
    throw std::runtime_error("cannot open the font " + fontPath);
  }
}

TextPainter::~TextPainter() {
  FT_Done_Face(face_);
  FT_Done_FreeType(library_);
}

int TextPainter::Measure(const std::string& text) {
  long width = 0;
  for (unsigned char c : text) {
    if (FT_Load_Char(face_, c, FT_LOAD_DEFAULT) == 0) width += face_->glyph->advance.x;
  }
  return static_cast<int>(width >> 6);
}

void TextPainter::Draw(Canvas& canvas, const std::string& text, int penX, int baselineY,
                       Colour colour) {
  for (unsigned char c : text) {
    if (FT_Load_Char(face_, c, FT_LOAD_RENDER) != 0) continue;
    const FT_GlyphSlot glyph = face_->glyph;
    const FT_Bitmap& bitmap = glyph->bitmap;
    if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
      for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        for (unsigned column = 0; column < bitmap.width; ++column) {
          canvas.Blend(penX + glyph->bitmap_left + static_cast<int>(column),
                       baselineY - glyph->bitmap_top + static_cast<int>(row), colour,
                       line[column] / 255.0f);
        }
      }
    }
    penX += static_cast<int>(glyph->advance.x >> 6);
  }
}

void TextPainter::DrawCentred(Canvas& canvas, const std::string& text, int pixelHeight,
                              float centreX, float baselineY, Colour colour) {
  FT_Set_Pixel_Sizes(face_, 0, pixelHeight);
  int left = static_cast<int>(std::lround(centreX)) - Measure(text) / 2;
  int baseline = static_cast<int>(std::lround(baselineY));
  int offset = std::max(2, pixelHeight / 16);
  const Colour shadow{0.02f, 0.03f, 0.08f, 0.35f};
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = 0; dy <= 1; ++dy)
      Draw(canvas, text, left + offset + dx, baseline + offset + dy, shadow);
  }
  Draw(canvas, text, left, baseline, colour);
}
