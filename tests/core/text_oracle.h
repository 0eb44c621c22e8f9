// FreeType's own answers for one face and pixel size, against which the TrueType text's glyph
// records, atlas and pen are checked.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <vector>

struct OracleGlyph {
  int width = 0, rows = 0;
  int left = 0;                   // bitmap_left
  int top = 0;                    // ascender minus bitmap_top
  int advance = 0;                // whole pixels
  std::vector<uint8_t> coverage;  // rows x width, top row first
};

class TextOracle {
 public:
  TextOracle(const char* fontFile, int pixels) {
    FT_Init_FreeType(&library_);
    loaded_ = FT_New_Face(library_, fontFile, 0, &face_) == 0;
    if (loaded_) FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels));
  }
  ~TextOracle() {
    if (loaded_) FT_Done_Face(face_);
    FT_Done_FreeType(library_);
  }
  TextOracle(const TextOracle&) = delete;
  TextOracle& operator=(const TextOracle&) = delete;

  bool Loaded() const { return loaded_; }
  int Height() const { return static_cast<int>(face_->size->metrics.height >> 6); }

  OracleGlyph Glyph(unsigned char character) const {
    OracleGlyph glyph;
    if (FT_Load_Char(face_, character, FT_LOAD_RENDER) != 0) return glyph;
    const FT_Bitmap& bitmap = face_->glyph->bitmap;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.left = face_->glyph->bitmap_left;
    glyph.top = static_cast<int>(face_->size->metrics.ascender >> 6) - face_->glyph->bitmap_top;
    glyph.advance = static_cast<int>(face_->glyph->advance.x >> 6);
    for (int row = 0; row < glyph.rows; ++row) {
      const unsigned char* line = bitmap.buffer + row * bitmap.pitch;
      glyph.coverage.insert(glyph.coverage.end(), line, line + glyph.width);
    }
    return glyph;
  }

 private:
  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  bool loaded_ = false;
};
