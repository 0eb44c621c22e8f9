#include <cmath>

#include "KGraphic.h"
#include "LevelObjects.h"
#include "ScreenPixel.h"

namespace {

struct BrickShape {
  float sx1, sy1, sx2, sy2;  // picture in the sprite sheet
  Vector2 circleOffset;
  float radius;
  Vector2 rectOffset;
  Vector2 rectSize;
};

const BrickShape kShapes[] = {
    {50, 147, 184, 293, {69, 95}, 27, {27, 70}, {76, 52}},
    {184, 147, 319, 293, {69, 95}, 30, {25, 63}, {86, 63}},
    {319, 147, 452, 293, {69, 95}, 36, {19, 53}, {96, 76}},
    {184, 0, 319, 147, {69, 74}, 29, {31, 39}, {71, 71}},
    {319, 0, 452, 147, {69, 74}, 30, {34, 41}, {65, 68}},
};

const BrickShape* ShapeOf(int type) {
  if (type < BRICK_GIFT_SMALL || type > BRICK_CHIMNEY) return nullptr;
  return &kShapes[type];
}

constexpr float kPhaseStep = 2.4f;
constexpr float kSwingDegrees = 30;
constexpr float kGravity = 0.18f;

}  // namespace

void Brick::Init(KGraphic* sprites, int brickType, float startPhase) {
  picture = sprites;
  type = brickType;
  phase = startPhase;
  swing = 0;
  position.Set(0, 0);
  velocity.Set(0, 0);
  state = BRICK_HANGING;
}

void Brick::Update() {
  if (state == BRICK_GONE) return;
  phase += kPhaseStep;
  if (phase >= 360) phase = 0;
  if (state == BRICK_HANGING) {
    swing = std::sin(phase / 360 * 2 * 3.141592f) * kSwingDegrees;
  } else if (state == BRICK_FALLING) {
    velocity.Add({0, kGravity});
    if (position.x < 0 || position.x + 80 > 800) velocity.x *= -1;
  }
  if (position.y > 800) state = BRICK_GONE;
  if (state != BRICK_GONE) position.Add(velocity);
}

bool Brick::GetHitCircle(Circle* out) const {
  const BrickShape* shape = ShapeOf(type);
  if (!shape) return false;
  out->centre = position.Sum(shape->circleOffset);
  out->radius = shape->radius;
  return true;
}

bool Brick::GetCatchRect(Rect* out) const {
  const BrickShape* shape = ShapeOf(type);
  if (!shape) return false;
  out->position = position.Sum(shape->rectOffset);
  out->size = shape->rectSize;
  return true;
}

void Brick::Draw() {
  const BrickShape* shape = ShapeOf(type);
  if (!shape || state == BRICK_GONE) return;
  picture->BlitAlphaRectFx(shape->sx1, shape->sy1, shape->sx2, shape->sy2, ScreenPixel(position.x),
                           ScreenPixel(position.y), swing, 1.0f, 1.0f, false, false, 0, 0);
}
