// A small TrueType font built byte by byte: 'A' a hinted triangle with a curved side 500 x 700
// units, 'B' the same glyph moved right as a composite (scaled by bScale), every other character
// the empty glyph 0; every advance 600 units. A small em makes the glyphs large for the line.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace true_type_font {

// Big-endian fields, as the font tables hold them.
inline void Put16(std::string& bytes, int value) {
  bytes.push_back(char((value >> 8) & 0xFF));
  bytes.push_back(char(value & 0xFF));
}

inline void Put32(std::string& bytes, uint32_t value) {
  Put16(bytes, int(value >> 16));
  Put16(bytes, int(value & 0xFFFF));
}

inline std::string FontTables(const std::map<std::string, std::string>& tables) {
  std::string font;
  Put32(font, 0x00010000);
  Put16(font, int(tables.size()));
  for (int value : {64, 2, int(tables.size()) * 16 - 64}) Put16(font, value);
  uint32_t offset = uint32_t(12 + 16 * tables.size());
  std::string data;
  for (const auto& [tag, table] : tables) {
    font += tag;
    Put32(font, 0);  // checksums are not checked by the reader
    Put32(font, offset + uint32_t(data.size()));
    Put32(font, uint32_t(table.size()));
    data += table;
    data.resize((data.size() + 3) / 4 * 4, '\0');
  }
  return font + data;
}

inline std::string MakeTrueTypeFont(int unitsPerEm = 1024, double bScale = 1.0) {
  const int glyphs = 3;
  std::string head;
  for (uint32_t value : {0x00010000u, 0x00010000u, 0u, 0x5F0F3CF5u}) Put32(head, value);
  Put16(head, 0x000B);
  Put16(head, unitsPerEm);
  head += std::string(16, '\0');  // created, modified
  for (int value : {0, 0, 550, 700, 0, 8, 2, 0, 0}) Put16(head, value);

  std::string hhea;
  Put32(hhea, 0x00010000);
  for (int value : {800, -200, 0, 600, 0, 0, 550, 1, 0, 0, 0, 0, 0, 0, 0, glyphs}) {
    Put16(hhea, value);
  }

  std::string maxp;
  Put32(maxp, 0x00010000);
  for (int value : {glyphs, 16, 2, 16, 2, 2, 0, 0, 0, 0, 16, 16, 1, 1}) Put16(maxp, value);

  std::string hmtx;
  for (int glyph = 0; glyph < glyphs; ++glyph) {
    Put16(hmtx, 600);
    Put16(hmtx, 0);
  }

  // One segment maps 'A' and 'B' to glyphs 1 and 2; the last one ends the table.
  std::string cmap;
  for (int value : {0, 1, 3, 1}) Put16(cmap, value);
  Put32(cmap, 12);
  for (int value :
       {4, 32, 0, 4, 4, 1, 0, int('B'), 0xFFFF, 0, int('A'), 0xFFFF, 1 - 'A', 1, 0, 0}) {
    Put16(cmap, value);
  }

  std::string triangle;
  for (int value : {1, 0, 0, 500, 700, 3, 3}) Put16(triangle, value);
  triangle += std::string("\xB0\x00\x2F", 3);  // push 0, round point 0 to the grid
  triangle += std::string("\x01\x01\x01\x00", 4);
  for (int x : {0, 250, 250, -250}) Put16(triangle, x);
  for (int y : {0, 700, -700, 300}) Put16(triangle, y);
  triangle.resize((triangle.size() + 1) / 2 * 2, '\0');  // glyphs start at even offsets
  std::string moved;
  // Offsets as words and x, y values; a scale (2.14 fixed point) when it is not 1.
  const bool scaled = bScale != 1.0;
  for (int value : {-1, 50, 0, 550, 700, scaled ? 0x000B : 0x0003, 1, 50, 0}) Put16(moved, value);
  if (scaled) Put16(moved, int(bScale * 16384));

  std::string loca;
  for (size_t offset : {size_t(0), size_t(0), triangle.size(), triangle.size() + moved.size()}) {
    Put16(loca, int(offset / 2));
  }
  return FontTables({{"cmap", cmap},
                     {"glyf", triangle + moved},
                     {"head", head},
                     {"hhea", hhea},
                     {"hmtx", hmtx},
                     {"loca", loca},
                     {"maxp", maxp}});
}

}  // namespace true_type_font
