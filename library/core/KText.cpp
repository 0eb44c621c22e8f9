#include "KText.h"

#include <algorithm>
#include <climits>
#include <cstring>

#include "KFactory.h"
#include "KGraphic.h"
#include "platform/crt.h"

namespace {

constexpr int kNumberLength = 255;

bool IsEmpty(const char* text) {
  return !text || text[0] == '\0';
}

bool IsLineEnd(char c) {
  return c == '\n' || c == '\r';
}

// The characters a wrapped line is broken at and that are then not drawn.
bool IsPassedOver(char c) {
  return c == ' ' || IsLineEnd(c);
}

// Marks that stay at the end of the line they close.
bool IsClosingMark(char c) {
  return c == '.' || c == ',' || c == '!';
}

// A pen position as the picture's 16-bit destination, held to that range instead of wrapping.
int16_t PenPixel(int pen) {
  return static_cast<int16_t>(std::clamp(pen, INT16_MIN, INT16_MAX));
}

}  // namespace

KText::KText(const char* pictureFile, const KCharRect* table) {
  _picture = KFactory::CreateGraphic();
  if (!_picture) return;
  _picture->LoadPicture(pictureFile, true, true);
  _picture->SetTextureQuality(false);
  _table = table;
}

void KText::FreeGraphic() {
  delete _picture;
  _picture = nullptr;
}

void KText::LoadGraphic(const char* file) {
  if (_picture) return;
  _picture = KFactory::CreateGraphic();
  if (_picture) _picture->LoadPicture(file, true, true);
}

void KText::SetColor(float r, float g, float b, float a) {
  _red = r;
  _green = g;
  _blue = b;
  _alpha = a;
}

int KText::FindChar(uint8_t c) {
  if (!_picture || !_table) return -1;
  for (int i = 0;; ++i) {
    uint8_t code = static_cast<uint8_t>(_table[i].code & 0xff);
    if (code == 0) return -1;
    if (code == c) return i;
  }
}

void KText::Blit(const KCharRect& character, int x, int y) {
  _picture->BlitAlphaRect(character.x1, character.y1, character.x2 + 1.0f, character.y2 + 1.0f,
                          PenPixel(x), PenPixel(y), false, false);
}

void KText::DrawRun(const char* text, int count, int x, int y, int spacing, bool drawSpaces) {
  if (!_picture || IsEmpty(text)) return;
  _picture->SetBlitColor(_red, _green, _blue, _alpha);
  int pen = x;
  for (int i = 0; i < count && text[i] != '\0'; ++i) {
    int index = FindChar(static_cast<uint8_t>(text[i]));
    if (index < 0) continue;
    if (drawSpaces || text[i] != ' ') Blit(_table[index], pen, y);
    pen += _table[index].advance + spacing;
  }
}

void KText::DrawStringFromLeft(const char* text, int x, int y, int spacing) {
  DrawRun(text, INT_MAX, x, y, spacing, false);
}

void KText::DrawChars(const char* text, int count, int x, int y, int spacing) {
  DrawRun(text, count, x, y, spacing, true);
}

void KText::DrawStringFromRight(const char* text, int xRight, int y, int spacing) {
  if (!_picture || IsEmpty(text)) return;
  _picture->SetBlitColor(_red, _green, _blue, _alpha);
  int pen = xRight;
  for (size_t i = std::strlen(text); i-- > 0;) {
    int index = FindChar(static_cast<uint8_t>(text[i]));
    if (index < 0) continue;
    pen -= _table[index].advance + spacing;
    Blit(_table[index], pen, y);
  }
}

void KText::DrawStringCentered(const char* text, int x1, int x2, int y, int spacing) {
  if (!_picture || !_table || IsEmpty(text)) return;
  int width = GetStringWidth(text, spacing);
  if (width <= 0) return;
  DrawStringFromLeft(text, (x2 - width - x1) / 2 + x1, y, spacing);
}

void KText::DrawNumberFromLeft(int number, int x, int y, int spacing) {
  char text[kNumberLength + 1];
  _snprintf(text, sizeof text, "%d", number);
  DrawStringFromLeft(text, x, y, spacing);
}

void KText::DrawNumberFromRight(int number, int x, int y, int spacing) {
  char text[kNumberLength + 1];
  _snprintf(text, sizeof text, "%d", number);
  DrawStringFromRight(text, x, y, spacing);
}

void KText::DrawNumberCentered(int number, int x1, int x2, int y, int spacing) {
  char text[kNumberLength + 1];
  _snprintf(text, sizeof text, "%d", number);
  DrawStringCentered(text, x1, x2, y, spacing);
}

int KText::Measure(const char* text, int spacing, int count) {
  if (!_picture || !_table || IsEmpty(text) || count < 1) return -1;
  int width = 0;
  for (int i = 0; i < count && text[i] != '\0'; ++i) {
    int index = FindChar(static_cast<uint8_t>(text[i]));
    if (index >= 0) width += _table[index].advance + spacing;
  }
  return width;
}

int KText::GetStringWidth(const char* text, int spacing) {
  return Measure(text, spacing, INT_MAX);
}

int KText::GetCharsWidth(const char* text, int spacing, int count) {
  return Measure(text, spacing, count);
}

int KText::FindLineEnd(const char* text, int width, int spacing) {
  if (IsEmpty(text)) return 0;
  int length = static_cast<int>(std::strlen(text));
  // The longest run from the start that reaches the width, a line end or the end of the text.
  int n = 1;
  int w = GetCharsWidth(text, spacing, n);
  while (w < width && n < length && !IsLineEnd(text[n])) w = GetCharsWidth(text, spacing, ++n);
  // Its last character when that one goes past the width, unless it is the only one.
  if (w > width && n > 1) --n;
  // The last break that fits: before a space, a line end or the end of the text, or after a
  // closing mark. A word with no break before it is cut where the line is full.
  for (int end = n; end >= 2; --end) {
    if (IsPassedOver(text[end]) || text[end] == '\0') return end;
    if (IsClosingMark(text[end]) && end < n) return end + 1;
  }
  return n;
}

void KText::DrawMultiline(const char* text, int xMin, int xMax, int y, int align, int spacing,
                          int lineSpacing) {
  if (IsEmpty(text) || xMax - xMin < 0) return;
  int width = xMax - xMin;
  if (GetStringWidth(text, spacing) <= width) {
    DrawStringFromLeft(text, xMin, y, spacing);
    return;
  }
  // Wrapping: the text is measured, so there are a picture and a table.
  int length = static_cast<int>(std::strlen(text));
  int top = y;
  for (int start = 0; start < length;) {
    const char* rest = text + start;
    int n = FindLineEnd(rest, width, spacing);
    int w = GetCharsWidth(rest, spacing, n);
    if (align == 0) DrawChars(rest, n, xMin, top, spacing);
    if (align == 1) DrawChars(rest, n, xMax - w + spacing, top, spacing);
    if (align == 2) DrawChars(rest, n, (xMax - w - xMin) / 2 + xMin, top, spacing);
    start += IsPassedOver(rest[n]) ? n + 1 : n;
    top += _table[0].lineHeight + lineSpacing;
  }
}
