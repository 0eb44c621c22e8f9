// Text drawn onto a canvas with FreeType, for the words written on the screen backgrounds.
#pragma once

#include <string>

#include "canvas.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

class TextPainter {
 public:
  // Throws std::runtime_error when FreeType or the font cannot be opened.
  explicit TextPainter(const std::string& fontPath);
  ~TextPainter();
  TextPainter(const TextPainter&) = delete;
  TextPainter& operator=(const TextPainter&) = delete;

  // Draws one line centred on centreX with its baseline at baselineY, over a soft dark shadow.
  void DrawCentred(Canvas& canvas, const std::string& text, int pixelHeight, float centreX,
                   float baselineY, Colour colour);

 private:
  int Measure(const std::string& text);
  void Draw(Canvas& canvas, const std::string& text, int penX, int baselineY, Colour colour);

  FT_LibraryRec_* library_ = nullptr;
  FT_FaceRec_* face_ = nullptr;
};
