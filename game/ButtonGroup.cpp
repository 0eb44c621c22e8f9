#include <algorithm>

#include "Widgets.h"

ButtonGroup::ButtonGroup(KGraphic* on, KGraphic* off, float width, float height, int count, float x,
                         float y, KSound* sound, int mode, const float* rates)
    : onPicture(on), offPicture(off) {
  int used = std::min(count, kMaximumButtons);
  for (int i = 0; i < used; ++i) {
    float drawX = x + static_cast<float>(i) * (width + 3);
    buttons.push_back(MakeButton(off, width, height, drawX, y, sound, mode, rates, 0, 0));
  }
}

int ButtonGroup::Update() {
  for (size_t i = 0; i < buttons.size(); ++i) {
    if (!buttons[i].WasReleased()) continue;
    Select(static_cast<int>(i));
    return static_cast<int>(i);
  }
  return -1;
}

void ButtonGroup::Animate(int elapsed) {
  for (Button& button : buttons) button.Animate(elapsed);
}

void ButtonGroup::Select(int index) {
  selected = index;
  for (size_t i = 0; i < buttons.size(); ++i)
    buttons[i].picture = static_cast<int>(i) <= index ? onPicture : offPicture;
}
