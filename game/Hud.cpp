// What the level shows beside the play: the lives, the gift counter and the message panel.
#include <cstring>

#include "KGraphic.h"
#include "KTrueText.h"
#include "LevelObjects.h"
#include "ScreenPixel.h"

namespace {

void CopyLine(char* line, const char* text) {
  std::strncpy(line, text ? text : "", MessagePanel::kLineSize - 1);
  line[MessagePanel::kLineSize - 1] = '\0';
}

constexpr int kIconsPerColumn = 25;

}  // namespace

void LivesDisplay::Init(KGraphic* sprites) {
  picture = sprites;
  position.Set(0, 0);
  count = 0;
}

void LivesDisplay::Draw() {
  for (int i = 0; i < count; ++i) {
    picture->BlitAlphaRectFx(125, 44, 175, 94, ScreenPixel(position.x + 20.0f * i),
                             ScreenPixel(position.y), 0, 0.6f, 0.9f, false, false, 0, 0);
  }
}

void GiftCounter::Init(KGraphic* sprites, int neededGifts, int totalGifts) {
  picture = sprites;
  position.Set(0, 0);
  caught = 0;
  needed = neededGifts;
  total = totalGifts;
}

// Columns of 25 icons that grow upward; caught gifts bright, the rest faint, and the icons beyond
// the quota tinted.
void GiftCounter::Draw() {
  for (int i = 0; i < total; ++i) {
    float x = position.x + static_cast<float>((i / kIconsPerColumn) * 26);
    float y = position.y - static_cast<float>((i % kIconsPerColumn) * 23);
    bool isCaught = i < caught;
    bool beyondQuota = i >= needed;
    if (beyondQuota) {
      if (isCaught) {
        picture->SetBlitColor(0.3f, 0.3f, 1.0f, 1.0f);
      } else {
        picture->SetBlitColor(0.1f, 1.0f, 1.0f, 0.35f);
        picture->SetBlitMode(2);
      }
    }
    picture->BlitAlphaRectFx(50, 147, 184, 293, ScreenPixel(x), ScreenPixel(y), 0, 0.2f,
                             isCaught ? 0.8f : 0.2f, false, false, 0, 0);
    if (beyondQuota) {
      picture->SetBlitColor(1, 1, 1, 1);
      if (!isCaught) picture->SetBlitMode(1);
    }
  }
}

void MessagePanel::Init(KTrueText* textFont, const char* text1, const char* text2,
                        int pixelHeight) {
  font = textFont;
  size = pixelHeight;
  font->SetHeightPix(size);
  SetText(text1, text2);
  position.Set(0, 0);
  fade = 0.0f;
  closeRequest = 0;
}

void MessagePanel::SetText(const char* text1, const char* text2) {
  CopyLine(line1, text1);
  CopyLine(line2, text2);
}

void MessagePanel::Update() {
  if (fade >= 0 && closeRequest == 1) {
    fade -= 0.02f;
  } else if (fade <= 1.0f && closeRequest == 0) {
    fade += 0.02f;
  }
  if (fade < 0) return;
  font->SetColor(1, 1, 1, fade);
  int x = static_cast<int>(position.x), y = static_cast<int>(position.y);
  font->DrawStringFromLeft(line1, x, y, 0);
  font->DrawStringFromLeft(line2, x, y + 100, 0);
}
