#include <algorithm>

#include "KInput.h"
#include "Widgets.h"

namespace {

// The velocity of every test sprite moved with inertia, in pixels per update.
Vector2 g_testSpriteVelocity = {0, 0};

// Per second. Pushing right is a hair above 15 and the ranges are uneven on purpose: the sprite
// tries out lopsided movement.
constexpr float kPushRight = 15.000001f, kPushLeft = -45, kPushVertical = 125;
// The share of the velocity lost per fiftieth of a second without a push.
constexpr double kFriction = 0.19;
constexpr float kFastestLeft = -100, kFastestRight = 90, kFastestVertical = 430.00003f;

}  // namespace

TestSprite::TestSprite(KGraphic* graphic, float width, float height, float sourceX, float sourceY)
    : Sprite(graphic, width, height, sourceX, sourceY) {}

void TestSprite::Update(int elapsed) {
  if (mode == kMoveByKeys) MoveByKeys();
  if (mode == kMoveWithInertia) MoveWithInertia(elapsed);
}

void TestSprite::MoveByKeys() {
  if (KInput::IsKeyDown(K_KEY_RIGHT)) drawPosition.x += 0.5f;
  if (KInput::IsKeyDown(K_KEY_LEFT)) drawPosition.x -= 6;
  if (KInput::IsKeyDown(K_KEY_UP)) drawPosition.y -= 7;
  if (KInput::IsKeyDown(K_KEY_DOWN)) drawPosition.y += 7;
}

void TestSprite::MoveWithInertia(int elapsed) {
  float e = static_cast<float>(std::max(elapsed, 0)) / 1000.0f;
  Vector2& velocity = g_testSpriteVelocity;
  bool right = KInput::IsKeyDown(K_KEY_RIGHT), left = KInput::IsKeyDown(K_KEY_LEFT);
  bool up = KInput::IsKeyDown(K_KEY_UP), down = KInput::IsKeyDown(K_KEY_DOWN);
  if (right) velocity.x += kPushRight * e;
  if (left) velocity.x += kPushLeft * e;
  if (up) velocity.y += -kPushVertical * e;
  if (down) velocity.y += kPushVertical * e;
  if (!right && !left) velocity.x -= velocity.x * kFriction * 50 * e;
  if (!up && !down) velocity.y -= velocity.y * kFriction * 50 * e;
  velocity.Clamp({kFastestLeft * e, -kFastestVertical * e},
                 {kFastestRight * e, kFastestVertical * e});
  drawPosition.Add(velocity);
}
