// Text from a bitmap font: one picture that holds every character, and a caller's table that gives
// each character's rectangle in the picture, its advance and the line height. Draws from the
// left, from the right or centred, formats integers, measures, and lays out word-wrapped
// paragraphs. y is always the top of the line; spacing is extra pixels after each character.
#pragma once

#include <cstdint>

class KGraphic;

// One character of a font table. Only the low byte of code is compared, as an unsigned byte.
// A record whose code's low byte is 0 ends the table. Every table must end with such a record:
// the text has no way to tell where a table without one stops, and reads past it.
struct KCharRect {
  int16_t code;
  int16_t x1, y1;  // top-left pixel in the picture
  int16_t x2, y2;  // bottom-right pixel, inclusive
  int16_t advance;
  int16_t lineHeight;  // only the first record's is used
};

// Without a picture or a table every draw does nothing and every measure answers -1. The text
// never deletes its picture but in FreeGraphic; the table must outlive the text.
class KText {
 public:
  KText() = default;
  // Loads the picture in 32 bits with alpha, unfiltered; the table is kept only when the picture
  // could be made.
  KText(const char* pictureFile, const KCharRect* table);

  KGraphic* GetGraphic() { return _picture; }
  // Replaces the picture pointer; the old picture is not deleted.
  void SetGraphic(KGraphic* picture) { _picture = picture; }
  void FreeGraphic();
  // Only when there is no picture yet: makes one and loads the file into it.
  void LoadGraphic(const char* file);
  void SetCharTable(const KCharRect* table) { _table = table; }
  void SetColor(float r, float g, float b, float a);

  // The index of the character's record; -1 when absent or without picture or table.
  int FindChar(uint8_t c);

  // Characters missing from the table are skipped and take no room. Spaces advance without being
  // drawn here, but are blitted by DrawChars and DrawStringFromRight.
  void DrawStringFromLeft(const char* text, int x, int y, int spacing);
  // The first count characters (fewer when the text is shorter).
  void DrawChars(const char* text, int count, int x, int y, int spacing);
  void DrawStringFromRight(const char* text, int xRight, int y, int spacing);
  void DrawStringCentered(const char* text, int x1, int x2, int y, int spacing);
  void DrawNumberFromLeft(int number, int x, int y, int spacing);
  void DrawNumberFromRight(int number, int x, int y, int spacing);
  void DrawNumberCentered(int number, int x1, int x2, int y, int spacing);

  // The sum of advance + spacing, the spacing after the last character included; -1 for an empty
  // text and without picture or table.
  int GetStringWidth(const char* text, int spacing);
  // The same over the first count characters; -1 also for a count below 1.
  int GetCharsWidth(const char* text, int spacing, int count);

  // The number of characters of the next line of a paragraph wrapped at width: at least one, no
  // more than fit unless a single character does not, broken after the last space, '.', ',' or
  // '!' that fits or at a line end; a word longer than the line is cut. 0 for an empty text.
  int FindLineEnd(const char* text, int width, int spacing);
  // align 0 left, 1 right, 2 centred; any other walks the lines without drawing. A text that fits
  // is drawn from xMin on one line whatever the alignment. A space or a line end (line feed or
  // carriage return) where a line breaks is passed over; a carriage return and line feed pair
  // ends the line at the carriage return, and the line feed opens the next one.
  void DrawMultiline(const char* text, int xMin, int xMax, int y, int align, int spacing,
                     int lineSpacing);

 private:
  void DrawRun(const char* text, int count, int x, int y, int spacing, bool drawSpaces);
  void Blit(const KCharRect& character, int x, int y);
  int Measure(const char* text, int spacing, int count);

  KGraphic* _picture = nullptr;
  const KCharRect* _table = nullptr;
  float _alpha = 1.0f;
  float _red = 1.0f;
  float _green = 1.0f;
  float _blue = 1.0f;
};
