#include "KTrueText.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

#include "KGraphic.h"
#include "platform/files.h"

FT_Library g_freeTypeLibrary = nullptr;

namespace {

// Heights beyond these would ask for atlases far larger than any texture.
constexpr int kMaximumPixels = 512;
constexpr int kMaximumPoints = kMaximumPixels * 72 / 96;
constexpr size_t kFontFileLimit = 32u << 20;

}  // namespace

KTrueText::KTrueText(const char* fontFile) {
  if (!g_freeTypeLibrary) FT_Init_FreeType(&g_freeTypeLibrary);
  LoadFace(fontFile);
  SetHeightPix(14);
}

KTrueText::~KTrueText() {
  DropAtlas();
  if (_face) FT_Done_Face(_face);
}

void KTrueText::LoadFace(const char* file) {
  if (_face) FT_Done_Face(_face);
  _face = nullptr;
  // Glyphs of the old face must not be drawn for the new one.
  DropAtlas();
  atlasTooLarge_ = false;
  if (!g_freeTypeLibrary || !file) return;
  // Read through the platform's regular-file reader (FreeType would open a named pipe and wait);
  // the face reads its glyphs from these bytes for as long as it lives.
  if (const char* reason = platform::ReadRegularFile(file, kFontFileLimit, &faceBytes_)) {
    platform::NoteLoadFailure(reason);
    return;
  }
  FT_Face face = nullptr;
  if (FT_New_Memory_Face(g_freeTypeLibrary, reinterpret_cast<const FT_Byte*>(faceBytes_.data()),
                         static_cast<FT_Long>(faceBytes_.size()), 0, &face) != 0) {
    if (face) FT_Done_Face(face);
    faceBytes_.clear();
    platform::NoteLoadFailure("not a TrueType font");
    return;
  }
  _face = face;
}

void KTrueText::SetHeightPix(int pixels) {
  if (!_face) return;
  int before = GetHeight();
  FT_Set_Pixel_Sizes(_face, 0, static_cast<FT_UInt>(std::clamp(pixels, 1, kMaximumPixels)));
  DropAtlasIfHeightChanged(before);
}

void KTrueText::SetHeightPt(int points) {
  if (!_face) return;
  int before = GetHeight();
  FT_Set_Char_Size(_face, 0, std::clamp(points, 1, kMaximumPoints) * 64, 96, 96);
  DropAtlasIfHeightChanged(before);
}

void KTrueText::DropAtlasIfHeightChanged(int heightBefore) {
  if (GetHeight() == heightBefore) return;
  DropAtlas();
  atlasTooLarge_ = false;
}

int KTrueText::GetHeight() {
  if (!_face) return 0;
  return static_cast<int>(_face->size->metrics.height >> 6);
}

void KTrueText::SetColor(float r, float g, float b, float a) {
  _red = r;
  _green = g;
  _blue = b;
  if (NeedsAtlas()) BuildAtlas();
  if (_atlas) _atlas->SetBlitColor(r, g, b, a);
}

void KTrueText::DropAtlas() {
  delete _atlas;
  _atlas = nullptr;
}

const KTrueGlyph* KTrueText::GlyphOf(unsigned char character) const {
  if (character < kFirstCharacter) return nullptr;
  return &_glyphs[character - kFirstCharacter];
}

void KTrueText::DrawGlyph(const KTrueGlyph& glyph, int penX, int y) {
  _atlas->BlitAlphaRectFx(glyph.x, glyph.y, glyph.x + glyph.w, glyph.y + glyph.h,
                          static_cast<int16_t>(penX + glyph.left),
                          static_cast<int16_t>(y + glyph.top), 0.0f, 1.0f, _alpha, false, false,
                          0.0f, 0.0f);
}

void KTrueText::DrawStringFromLeft(const char* text, int x, int y, int kerning) {
  if (!_face || !text) return;
  if (NeedsAtlas()) BuildAtlas();
  if (!_atlas) return;
  int pen = x;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    const KTrueGlyph* glyph = GlyphOf(*c);
    if (!glyph) continue;
    DrawGlyph(*glyph, pen, y);
    pen += glyph->advance + kerning;
  }
}

void KTrueText::DrawStringFromRight(const char* text, int x, int y, int kerning) {
  if (!_face || !text) return;
  if (NeedsAtlas()) BuildAtlas();
  if (!_atlas) return;
  const auto* begin = reinterpret_cast<const unsigned char*>(text);
  const unsigned char* end = begin + std::char_traits<char>::length(text);
  int pen = x;
  // The kerning goes between characters: none after the last one drawn, so that the text ends at
  // x even when characters that draw nothing follow it.
  bool last = true;
  for (const unsigned char* c = end; c != begin;) {
    --c;
    const KTrueGlyph* glyph = GlyphOf(*c);
    if (!glyph) continue;
    pen -= glyph->advance;
    if (!last) pen -= kerning;
    last = false;
    DrawGlyph(*glyph, pen, y);
  }
}

void KTrueText::DrawStringCentered(const char* text, int x1, int x2, int y, int kerning) {
  int width = GetStringWidth(text, kerning);
  DrawStringFromLeft(text, x1 + (x2 - x1 - width) / 2, y, kerning);
}

// Measured from the glyph records, exactly as the drawing moves its pen, so that a measured
// string and a drawn one always have the same width.
int KTrueText::GetStringWidth(const char* text, int kerning) {
  if (!_face || !text) return 0;
  if (NeedsAtlas()) BuildAtlas();
  int width = 0;
  for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
    const KTrueGlyph* glyph = GlyphOf(*c);
    if (glyph) width += glyph->advance + kerning;
  }
  return width;
}
