// Screen controls for polling frame loops: a picture sprite, an image button with a click sound
// and a zoom animation, a two-picture toggle button, a row of buttons that reads as a gauge, a
// one-line text entry box, a text label with a box, and a test sprite moved by the arrow keys.
// The owner calls each once a frame; each reads the mouse and keys itself. Positions are window
// client pixels. Pictures, fonts and sounds handed in belong to the caller and must outlive the
// controls; a null one is skipped.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "Geometry.h"

class KGraphic;
class KSound;
class KText;

enum ButtonAnimation { kAnimationNone = 0, kAnimationHoverZoom = 1, kAnimationPulse = 2 };
enum TestSpriteMode { kMoveByKeys = 0, kMoveWithInertia = 1 };

// A rectangle of a picture: its size and its top-left corner in picture pixels.
struct PictureRegion {
  PictureRegion(KGraphic* graphic, float width, float height, float sourceX, float sourceY);

  KGraphic* picture;
  Vector2 size;
  Vector2 source;
};

// A picture region drawn with its top-left corner at the draw position. The hit rectangle is the
// draw position with the size, whatever the zoom.
struct Sprite : PictureRegion {
  Sprite(KGraphic* graphic, float width, float height, float sourceX, float sourceY);

  void SetDrawPosition(float x, float y) { drawPosition.Set(x, y); }
  bool Contains(Vector2 point) const;
  // At the draw position truncated to whole pixels, held to the 16-bit range.
  void Draw();
  // Blended, turned by drawAngle degrees and zoomed about the region's centre.
  void DrawAt(int16_t x, int16_t y, float drawAngle, float drawZoom, float drawAlpha);

  Vector2 drawPosition = {0, 0};
  float zoom = 1.0f;
  float angle = 0.0f;
  float alpha = 1.0f;
};

// An image button. A press counts only when the left button went down over it; with a click
// sound, a click is reported in the first call after the sound has finished.
struct Button : Sprite {
  Button(KGraphic* graphic, float width, float height, float sourceX, float sourceY);

  void SetClickSound(KSound* sound) { clickSound = sound; }
  // Rates per second. Hover zoom: the largest zoom, the growing and the shrinking speed. Pulse:
  // the amplitude around 1, the growing and the shrinking speed. Without rates they stay as they
  // were.
  void SetAnimation(int mode, const float* newRates);
  bool IsMouseOver() const;
  // Left button down and the mouse over the button.
  bool IsPressed();
  // True once for a press over the button.
  bool WasClicked();
  // True once for a press over the button released over it.
  bool WasReleased();
  // One animation step for the milliseconds elapsed (none for a negative time), then Draw.
  void Animate(int elapsed);

  int pulseDirection = 1;
  bool pulsing = false;
  float previousZoom = 1.1f;
  bool soundPlaying = false;
  KSound* clickSound = nullptr;
  int animationMode = kAnimationNone;
  float rates[3] = {0, 0, 0};
  bool pressed = false;
  // The left button went down away from the button and is still held.
  bool heldElsewhere = false;

 private:
  bool ClickSoundEnded();
  bool Click();
  bool TakePress();
  void HoverZoomStep(float milliseconds);
  void PulseStep(float milliseconds);
};

Button MakeButton(KGraphic* picture, float width, float height, float drawX, float drawY,
                  KSound* sound, int mode, const float* rates, float sourceX, float sourceY);

// A button that swaps its picture for the other one at each click.
struct ToggleButton : Button {
  ToggleButton(KGraphic* graphic, KGraphic* other, float width, float height, float sourceX,
               float sourceY);

  // As Button::WasClicked, swapping before it reports a click.
  bool WasClicked();
  void Swap();

  bool toggled = false;
  KGraphic* otherPicture;
};

ToggleButton MakeToggleButton(KGraphic* picture, KGraphic* other, float width, float height,
                              float drawX, float drawY, KSound* sound, int mode,
                              const float* rates);

// A row of up to 20 buttons 3 pixels apart. Selecting one shows the on picture on it and on every
// button before it, the off picture on the rest: a gauge rather than a choice of one.
struct ButtonGroup {
  static constexpr int kMaximumButtons = 20;

  // At most 20 buttons, none for a count below 1; every button shows the off picture until the
  // first selection.
  ButtonGroup(KGraphic* on, KGraphic* off, float width, float height, int count, float x, float y,
              KSound* sound, int mode, const float* rates);

  // The first button released this frame becomes the selection and its index is returned;
  // buttons after it are not asked. -1 when none is.
  int Update();
  void Animate(int elapsed);
  void Select(int index);

  int selected = 0;
  std::vector<Button> buttons;
  KGraphic* onPicture;
  KGraphic* offPicture;
};

// What the edit box and the label share: a rectangle with a font, drawn over a white box. Copies
// share the box picture, which the last of them deletes.
struct BoxedText {
  // Places the control and makes its box picture, letting go of one made before.
  void Place(float left, float top, KText* textFont, float boxWidth, float boxHeight);
  bool IsMouseOver() const;
  bool Contains(Vector2 point) const;
  // The box from (x, y) to (x + width + 4, y + height), white with the alpha.
  void DrawBox(float alpha);

  float width = 0, height = 0, x = 0, y = 0;
  KText* font = nullptr;
  std::shared_ptr<KGraphic> boxPicture;
};

// A one-line text entry box, its box more opaque while editing.
struct EditBox : BoxedText {
  static constexpr int kTextSize = 256;

  // maximumLength above 255 allows 255.
  void Init(float left, float top, KText* textFont, float boxWidth, float boxHeight,
            int maximumLength);
  // At most 255 characters are kept; the width is not recomputed.
  void SetText(const char* newText);
  // Left button down over the box starts editing; a click elsewhere does not end it.
  bool CheckClick();
  // The text's width, at least 40.
  void UpdateWidth();
  // Applies the typed key while editing (backspace, return or tab to finish, characters 32 to
  // 123), then draws; true when the key finished the editing.
  bool Update(char key);

  char text[kTextSize] = {};
  int maxLength = 0;
  bool visible = false, enabled = false, editing = false;
};

// A text centred in a box. Its owner writes the text and shows it.
struct Label : BoxedText {
  static constexpr int kTextSize = 80;

  void Init(float left, float top, KText* textFont, float boxWidth, float boxHeight);
  // When visible: the box, and the text's first 79 characters centred with their top 20 pixels
  // above the box's middle.
  void Draw();
  bool IsPressed() const;

  char text[kTextSize] = {};
  bool visible = false;
};

// A sprite for trying out movement: stepped by the arrow keys, or pushed by them with inertia.
// All test sprites share one velocity. It does not draw itself.
struct TestSprite : Sprite {
  TestSprite(KGraphic* graphic, float width, float height, float sourceX, float sourceY);

  void SetMode(int newMode) { mode = newMode; }
  // By the mode, for the milliseconds elapsed (none for a negative time).
  void Update(int elapsed);
  void MoveByKeys();
  void MoveWithInertia(int elapsed);

  int mode = kMoveByKeys;
};
