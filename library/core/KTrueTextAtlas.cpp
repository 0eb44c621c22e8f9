// Rendering the glyphs of one face and size into the atlas picture.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "KFactory.h"
#include "KGraphic.h"
#include "KTrueText.h"
#include "TextureSide.h"

namespace {

// The largest atlas side, and the most pixels an atlas holds: those of the largest texture.
constexpr unsigned kLargestAtlasSide = 16384;
constexpr uint64_t kLargestAtlasPixels = uint64_t{kMaxTextureSide} * kMaxTextureSide;

// No character's glyph spans more ems than this; the rasteriser takes seconds over the glyphs of
// a hostile font that span hundreds.
constexpr unsigned kMostEmsAGlyphSpans = 4;

// A glyph box's side (26.6 fixed point) in whole pixels, rounded up.
uint64_t BoxPixels(FT_Pos side) {
  return side > 0 ? (static_cast<uint64_t>(side) + 63) >> 6 : 0;
}

bool FitsAnAtlas(uint64_t width, uint64_t height) {
  return width <= kLargestAtlasSide && height <= kLargestAtlasSide &&
         width * height <= kLargestAtlasPixels;
}

// Coverage of the bitmap's pixel (column, row), 0 to 255, for the bitmap kinds FreeType renders.
uint8_t Coverage(const FT_Bitmap& bitmap, unsigned column, unsigned row) {
  const unsigned char* line = bitmap.buffer + static_cast<ptrdiff_t>(row) * bitmap.pitch;
  if (bitmap.pitch < 0) {
    line = bitmap.buffer + static_cast<ptrdiff_t>(bitmap.rows - 1 - row) * -bitmap.pitch;
  }
  switch (bitmap.pixel_mode) {
    case FT_PIXEL_MODE_GRAY:
      return line[column];
    case FT_PIXEL_MODE_MONO:
      return (line[column / 8] & (0x80 >> (column % 8))) ? 255 : 0;
    default:
      return 0;
  }
}

}  // namespace

void KTrueText::BuildAtlas() {
  if (!_face) return;
  DropAtlas();
  if (GetHeight() == 0) FT_Set_Char_Size(_face, 0, 12 * 64, 96, 96);
  const unsigned rowLimit = GetHeight() < 20 ? 256 : 512;

  // Layout: glyphs side by side in rows no wider than the limit. Once the glyphs laid out would
  // need a picture beyond the largest one, no more are rendered, and the rest are only measured.
  // Each glyph is rendered once; its coverage is kept, row after row, until the atlas is made.
  std::memset(_glyphs, 0, sizeof _glyphs);
  std::vector<uint8_t> coverage;
  size_t coverageStart[kGlyphCount] = {};
  atlasTooLarge_ = false;
  unsigned penX = 0, penY = 0, tallest = 0, widest = 0;
  for (int i = 0; i < kGlyphCount; ++i) {
    if (FT_Load_Char(_face, static_cast<FT_ULong>(kFirstCharacter + i), FT_LOAD_DEFAULT) != 0) {
      continue;
    }
    FT_GlyphSlot slot = _face->glyph;
    KTrueGlyph& glyph = _glyphs[i];
    glyph.advance = static_cast<int32_t>(slot->advance.x >> 6);
    // Before rendering: a glyph far larger than the em is only measured, and an atlas that
    // cannot hold the glyph's box at the end of the row and below it at once is too large.
    const uint64_t boxWidth = BoxPixels(slot->metrics.width);
    const uint64_t boxHeight = BoxPixels(slot->metrics.height);
    const uint64_t largestSide = uint64_t{kMostEmsAGlyphSpans} * _face->size->metrics.y_ppem;
    atlasTooLarge_ = atlasTooLarge_ || !FitsAnAtlas(std::max<uint64_t>(widest, penX + boxWidth),
                                                    penY + tallest + boxHeight);
    if (atlasTooLarge_ || boxWidth > largestSide || boxHeight > largestSide ||
        FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0) {
      continue;
    }
    unsigned width = slot->bitmap.width, rows = slot->bitmap.rows;
    if (penX + width > rowLimit) {
      penX = 0;
      penY += tallest;
    }
    tallest = std::max(tallest, rows);
    glyph.x = static_cast<float>(penX);
    glyph.y = static_cast<float>(penY);
    glyph.w = static_cast<float>(width);
    glyph.h = static_cast<float>(rows);
    glyph.left = slot->bitmap_left;
    glyph.top = static_cast<int32_t>(_face->size->metrics.ascender >> 6) - slot->bitmap_top;
    coverageStart[i] = coverage.size();
    coverage.resize(coverage.size() + static_cast<size_t>(width) * rows);
    uint8_t* kept = coverage.data() + coverageStart[i];
    for (unsigned row = 0; row < rows; ++row)
      for (unsigned column = 0; column < width; ++column)
        *kept++ = Coverage(slot->bitmap, column, row);
    penX += width;
    widest = std::max(widest, penX);
    atlasTooLarge_ = !FitsAnAtlas(widest, penY + tallest);
  }
  const unsigned atlasWidth = widest, atlasHeight = penY + tallest;
  // A picture that can't be made is not rendered either; the records still measure the text.
  if (atlasTooLarge_ || atlasWidth == 0 || atlasHeight == 0) return;

  auto* pixels = static_cast<uint32_t*>(
      std::calloc(static_cast<size_t>(atlasWidth) * atlasHeight, sizeof(uint32_t)));
  if (!pixels) return;

  // White pixels whose alpha is the coverage.
  for (int i = 0; i < kGlyphCount; ++i) {
    const KTrueGlyph& glyph = _glyphs[i];
    const unsigned width = static_cast<unsigned>(glyph.w), rows = static_cast<unsigned>(glyph.h);
    const uint8_t* source = coverage.data() + coverageStart[i];
    for (unsigned row = 0; row < rows; ++row) {
      uint8_t* target =
          reinterpret_cast<uint8_t*>(pixels + (static_cast<size_t>(glyph.y) + row) * atlasWidth +
                                     static_cast<size_t>(glyph.x));
      for (unsigned column = 0; column < width; ++column, target += 4) {
        target[0] = target[1] = target[2] = 255;
        target[3] = *source++;
      }
    }
  }

  _atlas = KFactory::CreateGraphic();
  if (_atlas && !_atlas->MakePictureFromArray(pixels, static_cast<int>(atlasWidth),
                                              static_cast<int>(atlasHeight), true)) {
    DropAtlas();
  }
  std::free(pixels);
}
