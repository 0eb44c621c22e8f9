// The things that live inside one level attempt: the paddle, the ball, the hanging objects, the
// lives display, the gift counter and the fading message panel. None owns the picture or font it
// draws with. Speeds are pixels per frame, angle steps degrees per frame.
#pragma once

#include "Geometry.h"

class KGraphic;
class KTrueText;

Vector2 GetMousePosition();

enum PaddleMode { PADDLE_FOLLOW = 0, PADDLE_SHAKE_LONG = 1, PADDLE_SHAKE_SHORT = 2 };

struct Paddle {
  KGraphic* picture;
  Vector2 position;
  int mode;

  void Init(KGraphic* sprites);
  void SetPosition(float x, float y) { position.Set(x, y); }
  void GetRect(Rect* out) const;
  void Update();
  void Draw();
};

// The angle in radians from straight up at which the ball leaves the paddle: 0 over the middle of
// the paddle's rectangle, up to 60 degrees towards its ends (to the left for a ball left of it).
float PaddleDepartureAngle(const Rect& paddle, float ballCentreX);

enum BallState { BALL_ON_PADDLE = 0, BALL_MOVING = 1 };

struct Ball {
  KGraphic* picture;
  Vector2 position;
  Vector2 velocity;
  Vector2 maxBound;
  Vector2 minBound;
  int state;
  float offset;
  int step;

  void Init(KGraphic* sprites, float left, float top, float right, float bottom);
  void SetPosition(float x, float y) { position.Set(x, y); }
  void SetVelocity(float x, float y) { velocity.Set(x, y); }
  void GetCircle(Circle* out) const;
  // 1 in the frame in which the ball is launched, else 0.
  int Update(Rect& paddleRect);
  // Puts a lost ball back on the paddle at once.
  void PutOnPaddle(const Rect& paddleRect);
  void Draw();
};

enum BrickState { BRICK_HANGING = 0, BRICK_FALLING = 1, BRICK_GONE = 9 };
enum BrickType {
  BRICK_GIFT_SMALL = 0,
  BRICK_GIFT_MEDIUM = 1,
  BRICK_GIFT_LARGE = 2,
  BRICK_SNOWBALL = 3,
  BRICK_CHIMNEY = 4,
};

struct Brick {
  KGraphic* picture;
  Vector2 position;
  Vector2 velocity;
  int state;
  int type;
  float phase;
  float swing;

  void Init(KGraphic* sprites, int brickType, float startPhase);
  void SetPosition(float x, float y) { position.Set(x, y); }
  void Update();
  // The shape the paddle catches while the object falls. False for a type without a shape.
  bool GetHitCircle(Circle* out) const;
  // The shape the ball hits while the object hangs. False for a type without a shape.
  bool GetCatchRect(Rect* out) const;
  bool IsGift() const { return type >= BRICK_GIFT_SMALL && type <= BRICK_GIFT_LARGE; }
  // A gift that hangs or falls can still be caught; one gone or in another state can't.
  bool IsCatchableGift() const {
    return IsGift() && (state == BRICK_HANGING || state == BRICK_FALLING);
  }
  void Draw();
};

struct LivesDisplay {
  KGraphic* picture;
  Vector2 position;
  int count;

  void Init(KGraphic* sprites);
  void SetPosition(float x, float y) { position.Set(x, y); }
  void Draw();
};

struct GiftCounter {
  KGraphic* picture;
  Vector2 position;
  int caught;
  int needed;
  int total;

  void Init(KGraphic* sprites, int neededGifts, int totalGifts);
  void SetPosition(float x, float y) { position.Set(x, y); }
  void Draw();
};

struct MessagePanel {
  static constexpr int kLineSize = 80;

  KTrueText* font;
  Vector2 position;
  char line1[kLineSize];
  char line2[kLineSize];
  int closeRequest;  // 0 fade in, 1 fade out
  int size;
  float fade;

  void Init(KTrueText* textFont, const char* text1, const char* text2, int pixelHeight);
  void SetPosition(float x, float y) { position.Set(x, y); }
  // Texts longer than 79 characters are cut there.
  void SetText(const char* text1, const char* text2);
  void Show() { closeRequest = 0; }
  void Close() { closeRequest = 1; }
  void Update();
};
