// Single-line text in one TrueType face at one size. The characters 32 to 255 are rendered once
// into a white picture whose alpha is the glyph coverage (the atlas); each character of a string
// is one blended blit of its rectangle, tinted through the picture's blit colour.
#pragma once

#include <cstdint>
#include <string>

#include "KObject.h"

class KGraphic;
typedef struct FT_FaceRec_* FT_Face;
typedef struct FT_LibraryRec_* FT_Library;

struct KTrueGlyph {
  float x, y;  // top-left corner of the glyph in the atlas
  float w, h;
  int32_t left;     // offset of the bitmap from the pen
  int32_t top;      // offset of the bitmap below the line's top
  int32_t advance;  // pixels the pen moves on
};

class KTrueText : public KObject {
 public:
  explicit KTrueText(const char* fontFile);
  ~KTrueText() override;
  KTrueText(const KTrueText&) = delete;
  KTrueText& operator=(const KTrueText&) = delete;

  void LoadFace(const char* file);
  void SetHeightPix(int pixels);
  void SetHeightPt(int points);
  int GetHeight();
  void SetColor(float r, float g, float b, float a);

  // y is the top of the line; kerning is extra spacing after each character, possibly negative.
  void DrawStringFromLeft(const char* text, int x, int y, int kerning);
  void DrawStringFromRight(const char* text, int x, int y, int kerning);
  void DrawStringCentered(const char* text, int x1, int x2, int y, int kerning);
  int GetStringWidth(const char* text, int kerning);

  void BuildAtlas();

 private:
  static constexpr int kFirstCharacter = 32;
  static constexpr int kGlyphCount = 224;

  void DropAtlasIfHeightChanged(int heightBefore);
  void DropAtlas();
  bool NeedsAtlas() const { return !_atlas && !atlasTooLarge_; }
  const KTrueGlyph* GlyphOf(unsigned char character) const;
  void DrawGlyph(const KTrueGlyph& glyph, int penX, int y);

  FT_Face _face = nullptr;
  // The font file's bytes, which the face reads from.
  std::string faceBytes_;
  KGraphic* _atlas = nullptr;
  // The glyphs of this height need a picture beyond the largest texture: none is tried again.
  bool atlasTooLarge_ = false;
  float _red = 1.0f, _green = 1.0f, _blue = 1.0f, _alpha = 1.0f;
  KTrueGlyph _glyphs[kGlyphCount] = {};
};

// The one FreeType instance of the process, made by the first text and never released.
extern FT_Library g_freeTypeLibrary;
