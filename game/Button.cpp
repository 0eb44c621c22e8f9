#include <algorithm>

#include "KInput.h"
#include "KSound.h"
#include "LevelObjects.h"
#include "Widgets.h"

namespace {

// The change for a rate per second over the milliseconds elapsed.
float StepOf(float rate, float milliseconds) {
  return milliseconds * rate / 1000.0f;
}

// The button placed, with its sound and animation.
template <typename AnyButton>
AnyButton Placed(AnyButton button, float drawX, float drawY, KSound* sound, int mode,
                 const float* rates) {
  button.SetDrawPosition(drawX, drawY);
  button.SetClickSound(sound);
  button.SetAnimation(mode, rates);
  return button;
}

}  // namespace

Button::Button(KGraphic* graphic, float width, float height, float sourceX, float sourceY)
    : Sprite(graphic, width, height, sourceX, sourceY) {}

void Button::SetAnimation(int mode, const float* newRates) {
  animationMode = mode;
  if (newRates) std::copy(newRates, newRates + 3, rates);
}

bool Button::IsMouseOver() const {
  return Contains(GetMousePosition());
}

// A press begins when the left button is first seen down: over the button it is a press, away
// from it the button stays untouched until the left button is released.
bool Button::TakePress() {
  if (pressed || heldElsewhere) return false;
  if (IsMouseOver()) {
    pressed = true;
  } else {
    heldElsewhere = true;
  }
  return pressed;
}

// A click: reported at once without a sound; with one, the sound starts and the click waits for
// its end.
bool Button::Click() {
  if (!clickSound) return true;
  clickSound->PlaySample();
  soundPlaying = true;
  return false;
}

bool Button::ClickSoundEnded() {
  if (clickSound && clickSound->IsPlaying()) return false;
  soundPlaying = false;
  return true;
}

bool Button::IsPressed() {
  if (!KInput::IsLeftButtonDown()) return false;
  TakePress();
  return IsMouseOver();
}

bool Button::WasClicked() {
  if (soundPlaying) return ClickSoundEnded();
  if (!KInput::IsLeftButtonDown()) {
    pressed = false;
    heldElsewhere = false;
    return false;
  }
  return TakePress() && Click();
}

bool Button::WasReleased() {
  if (soundPlaying) return ClickSoundEnded();
  if (KInput::IsLeftButtonDown()) {
    TakePress();
    return false;
  }
  bool releasedOver = pressed && IsMouseOver();
  pressed = false;
  heldElsewhere = false;
  return releasedOver && Click();
}

void Button::HoverZoomStep(float milliseconds) {
  bool over = IsMouseOver();
  if (over && zoom < rates[0]) {
    zoom += StepOf(rates[1], milliseconds);
  } else if (!over && zoom > 1.0f) {
    zoom -= StepOf(rates[2], milliseconds);
  }
}

// Grows and shrinks between 1 - amplitude and 1 + amplitude; once the mouse has left, the pulse
// runs on until the zoom next crosses 1.
void Button::PulseStep(float milliseconds) {
  bool over = IsMouseOver();
  if (over) pulsing = true;
  if (!pulsing) return;
  float grow = StepOf(rates[1], milliseconds);
  float shrink = StepOf(rates[2], milliseconds);
  if (pulseDirection == 1) {
    if (zoom + grow < 1.0f + rates[0]) {
      zoom += grow;
    } else {
      pulseDirection = -1;
    }
  } else if (zoom - shrink > 1.0f - rates[0]) {
    zoom -= shrink;
  } else {
    pulseDirection = 1;
  }
  if (!over && (zoom < 1.0f) != (previousZoom < 1.0f)) {
    pulsing = false;
    pulseDirection = 1;
  }
  previousZoom = zoom;
}

void Button::Animate(int elapsed) {
  float milliseconds = static_cast<float>(std::max(elapsed, 0));
  if (animationMode == kAnimationHoverZoom) HoverZoomStep(milliseconds);
  if (animationMode == kAnimationPulse) PulseStep(milliseconds);
  Draw();
}

Button MakeButton(KGraphic* picture, float width, float height, float drawX, float drawY,
                  KSound* sound, int mode, const float* rates, float sourceX, float sourceY) {
  return Placed(Button(picture, width, height, sourceX, sourceY), drawX, drawY, sound, mode, rates);
}

ToggleButton::ToggleButton(KGraphic* graphic, KGraphic* other, float width, float height,
                           float sourceX, float sourceY)
    : Button(graphic, width, height, sourceX, sourceY), otherPicture(other) {}

bool ToggleButton::WasClicked() {
  if (!Button::WasClicked()) return false;
  Swap();
  return true;
}

void ToggleButton::Swap() {
  std::swap(picture, otherPicture);
  toggled = !toggled;
}

ToggleButton MakeToggleButton(KGraphic* picture, KGraphic* other, float width, float height,
                              float drawX, float drawY, KSound* sound, int mode,
                              const float* rates) {
  return Placed(ToggleButton(picture, other, width, height, 0, 0), drawX, drawY, sound, mode,
                rates);
}
