#include <algorithm>
#include <cstdio>
#include <cstring>

#include "KFactory.h"
#include "KGraphic.h"
#include "KInput.h"
#include "KText.h"
#include "LevelObjects.h"
#include "ScreenPixel.h"
#include "Widgets.h"

namespace {

constexpr float kMinimumEditWidth = 40;
constexpr float kBoxMargin = 4;
constexpr float kIdleAlpha = 0.4f;
constexpr float kActiveAlpha = 0.92f;
// How far the top of a label's text stands above the middle of its box.
constexpr float kLabelTextRise = 20;
constexpr char kBackspace = 8, kTab = 9, kReturn = 13;
constexpr signed char kFirstTyped = 32, kLastTyped = 123;

}  // namespace

void BoxedText::Place(float left, float top, KText* textFont, float boxWidth, float boxHeight) {
  x = left;
  y = top;
  font = textFont;
  width = boxWidth;
  height = boxHeight;
  // Loaded with nothing: it only draws untextured rectangles.
  boxPicture.reset(KFactory::CreateGraphic());
}

bool BoxedText::IsMouseOver() const {
  return Contains(GetMousePosition());
}

bool BoxedText::Contains(Vector2 point) const {
  return PointInRect(point, x, y, width, height);
}

void BoxedText::DrawBox(float alpha) {
  if (boxPicture) boxPicture->DrawRect(x, y, x + width + kBoxMargin, y + height, 1, 1, 1, alpha);
}

void EditBox::Init(float left, float top, KText* textFont, float boxWidth, float boxHeight,
                   int maximumLength) {
  Place(left, top, textFont, boxWidth, boxHeight);
  maxLength = maximumLength;
  text[0] = '\0';
  visible = true;
  enabled = true;
  editing = false;
}

void EditBox::SetText(const char* newText) {
  std::snprintf(text, sizeof text, "%s", newText ? newText : "");
}

bool EditBox::CheckClick() {
  if (!KInput::IsLeftButtonDown() || !IsMouseOver()) return false;
  editing = true;
  return true;
}

void EditBox::UpdateWidth() {
  int textWidth = font ? font->GetStringWidth(text, 0) : -1;
  width = std::max(static_cast<float>(textWidth), kMinimumEditWidth);
}

bool EditBox::Update(char key) {
  bool finished = false;
  if (enabled && editing && key != 0) {
    size_t length = std::strlen(text);
    signed char code = static_cast<signed char>(key);
    if (key == kBackspace) {
      if (length > 0) text[length - 1] = '\0';
      UpdateWidth();
    } else if (key == kReturn || key == kTab) {
      editing = false;
      finished = true;
    } else if (code >= kFirstTyped && code <= kLastTyped) {
      size_t limit = static_cast<size_t>(std::clamp(maxLength, 0, kTextSize - 1));
      if (length < limit) {
        text[length] = key;
        text[length + 1] = '\0';
        UpdateWidth();
      }
    }
  }
  if (visible) {
    DrawBox(editing ? kActiveAlpha : kIdleAlpha);
    if (font) font->DrawStringFromLeft(text, ScreenPixel(x), ScreenPixel(y), 0);
  }
  return finished;
}

void Label::Init(float left, float top, KText* textFont, float boxWidth, float boxHeight) {
  Place(left, top, textFont, boxWidth, boxHeight);
  visible = false;
}

void Label::Draw() {
  if (!visible) return;
  DrawBox(kActiveAlpha);
  if (!font) return;
  // The owner writes the text: never more than the array holds is read.
  char shown[kTextSize];
  std::snprintf(shown, sizeof shown, "%.*s", kTextSize - 1, text);
  font->DrawStringCentered(shown, ScreenPixel(x), ScreenPixel(x + width),
                           ScreenPixel(y + height / 2 - kLabelTextRise), 0);
}

bool Label::IsPressed() const {
  return KInput::IsLeftButtonDown() && IsMouseOver();
}
