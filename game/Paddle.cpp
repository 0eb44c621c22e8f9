#include "GameTools.h"
#include "KGraphic.h"
#include "KInput.h"
#include "LevelObjects.h"
#include "ScreenPixel.h"

namespace {

// The shake is shared by every paddle for the whole run and never reset between levels: a catch
// during a shake only changes its limit, the counter goes on.
int g_shakeCounter = 0;
int g_shakeSign = 1;
Vector2 g_frozenSpot = {0, 0};

constexpr float kMouseToPaddleX = 79;

}  // namespace

Vector2 GetMousePosition() {
  return {static_cast<float>(KInput::GetMouseX()), static_cast<float>(KInput::GetMouseY())};
}

void Paddle::Init(KGraphic* sprites) {
  picture = sprites;
  position.Set(0, 0);
  mode = PADDLE_FOLLOW;
}

void Paddle::GetRect(Rect* out) const {
  out->position.Set(position.x + 8, position.y + 10);
  out->size.Set(145, 24);
}

void Paddle::Update() {
  if (mode == PADDLE_FOLLOW) {
    position.x = GetMousePosition().x - kMouseToPaddleX;
    return;
  }
  if (mode != PADDLE_SHAKE_LONG && mode != PADDLE_SHAKE_SHORT) return;
  if (g_shakeCounter < 1) g_frozenSpot = position;
  g_shakeSign = -g_shakeSign;
  position.x = g_frozenSpot.x + static_cast<float>(RandomRange(0, 4) * g_shakeSign);
  position.y = g_frozenSpot.y + static_cast<float>(RandomRange(0, 4) * g_shakeSign);
  ++g_shakeCounter;
  int limit = mode == PADDLE_SHAKE_LONG ? 100 : 10;
  if (g_shakeCounter > limit) {
    g_shakeCounter = 0;
    mode = PADDLE_FOLLOW;
    // Move the cursor under the paddle so that it doesn't jump when it follows the mouse again.
    KInput::SetMousePosition(static_cast<int>(position.x + kMouseToPaddleX), KInput::GetMouseY());
  }
}

void Paddle::Draw() {
  picture->BlitAlphaRect(4, 4, 180, 48, ScreenPixel(position.x), ScreenPixel(position.y), false,
                         false);
}
