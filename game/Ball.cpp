#include "KGraphic.h"
#include "KInput.h"
#include "LevelObjects.h"
#include "ScreenPixel.h"

namespace {

constexpr float kRadius = 14;
const Vector2 kCentreOffset = {26, 23};
constexpr float kLaunchSpeed = 6;

}  // namespace

float PaddleDepartureAngle(const Rect& paddle, float ballCentreX) {
  float halfWidth = paddle.size.x / 2;
  return ((halfWidth + paddle.position.x - ballCentreX) * 0.017453f / halfWidth) * 60;
}

void Ball::Init(KGraphic* sprites, float left, float top, float right, float bottom) {
  picture = sprites;
  minBound.Set(left, top);
  maxBound.Set(right, bottom);
  position.Set(0, 0);
  velocity.Set(0, 0);
  state = BALL_ON_PADDLE;
  offset = 40.0f;
  step = 1;
}

void Ball::GetCircle(Circle* out) const {
  out->centre = position.Sum(kCentreOffset);
  out->radius = kRadius;
}

void Ball::PutOnPaddle(const Rect& paddleRect) {
  position.x = paddleRect.position.x + offset;
  position.y = paddleRect.position.y - 2 * kRadius - 8;
}

int Ball::Update(Rect& paddleRect) {
  Circle c;
  GetCircle(&c);
  if (state == BALL_ON_PADDLE) {
    // The ball rides to and fro on the paddle until the player launches it.
    offset += static_cast<float>(2 * step);
    float centreX = c.centre.x - position.x;
    if (offset > paddleRect.size.x - centreX - c.radius) {
      step = -step;
    } else if (offset < -centreX + c.radius) {
      step = -step;
    }
    PutOnPaddle(paddleRect);
    if (KInput::IsLeftButtonDown()) {
      // Straight up over the middle of the paddle, leaning up to 60 degrees towards its ends.
      velocity.Set(0, kLaunchSpeed);
      float phi = PaddleDepartureAngle(paddleRect, c.centre.x);
      float a = velocity.AngleTo({0, 1});
      velocity.Rotate(3.141592f + a - phi);
      state = BALL_MOVING;
      return 1;
    }
    return 0;
  }
  if (state == BALL_MOVING) {
    if (c.centre.x <= minBound.x && velocity.x < 0) {
      velocity.x = -velocity.x;
    } else if (c.centre.x + c.radius >= maxBound.x && velocity.x > 0) {
      velocity.x = -velocity.x;
    } else if (c.centre.y <= minBound.y && velocity.y < 0) {
      velocity.y = -velocity.y;
    }
    position.Add(velocity);
  }
  return 0;
}

void Ball::Draw() {
  picture->BlitAlphaRectFx(125, 44, 175, 94, ScreenPixel(position.x), ScreenPixel(position.y), 0,
                           1.0f, 1.0f, false, false, 0, 0);
}
