#include "LevelAttempt.h"

#include <algorithm>

#include "GameState.h"
#include "GameTools.h"
#include "GlobalResources.h"
#include "KGraphic.h"
#include "KInput.h"
#include "KMiscTools.h"
#include "KSound.h"
#include "KTrueText.h"
#include "KWindow.h"

namespace {

// The cursor is held inside the play area.
constexpr int kPlayLeft = 10, kPlayRight = 790, kPlayTop = 30, kPlayBottom = 570;
constexpr float kFallenBallY = 650;

}  // namespace

bool LevelAttempt::Setup(int levelNumber, int* gameLives) {
  _level = levelNumber;
  _lives = gameLives;
  _state = STATE_START;
  KGraphic* sprites = g_resources.GetImage(IMAGE_SPRITES);

  _font = new KTrueText(KMiscTools::MakeFilePath("img\\font\\bw.ttf"));
  _paddle = new Paddle;
  _paddle->Init(sprites);
  _paddle->SetPosition(300, 550);
  _ball = new Ball;
  _ball->Init(sprites, 0, 0, 800, 600);
  _ball->SetPosition(300, 300);
  _ball->SetVelocity(4, 4);
  _livesDisplay = new LivesDisplay;
  _livesDisplay->Init(sprites);
  _livesDisplay->SetPosition(710, -10);
  _livesDisplay->count = *_lives;

  if (!LoadLevel(levelNumber)) {
    Teardown();
    return false;
  }

  _giftCounter = new GiftCounter;
  _giftCounter->Init(sprites, _neededBrickCnt, _giftCount);
  _giftCounter->SetPosition(-50, 500);
  _messagePanel = new MessagePanel;
  _messagePanel->Init(_font, _name, _descr, 50);
  _messagePanel->SetPosition(120, 80);
  return true;
}

void LevelAttempt::Teardown() {
  delete _font;
  _font = nullptr;
  delete _paddle;
  _paddle = nullptr;
  delete _ball;
  _ball = nullptr;
  delete _livesDisplay;
  _livesDisplay = nullptr;
  delete _giftCounter;
  _giftCounter = nullptr;
  delete _messagePanel;
  _messagePanel = nullptr;
  for (Brick*& object : _objects) {
    delete object;
    object = nullptr;
  }
}

// Only a gift that can still be caught or fall keeps the level going.
bool LevelAttempt::HasGiftsLeft() const {
  for (int i = 0; i < _brickCnt; ++i) {
    const Brick* brick = _objects[i];
    if (brick->IsGift() && (brick->state == BRICK_HANGING || brick->state == BRICK_FALLING)) {
      return true;
    }
  }
  return false;
}

int LevelAttempt::Run() {
  // Set before the first frame: C already held when the level starts does nothing until it is
  // pressed again.
  bool comboUsed = true;
  for (;;) {
    Frame(comboUsed);
    switch (_state) {
      case STATE_CONTINUE:
      case STATE_RETRY:
      case STATE_GAME_OVER:
      case STATE_TO_MENU:
      case STATE_QUIT:
        return _state;
      default:
        break;
    }
  }
}

void LevelAttempt::Frame(bool& comboUsed) {
  KInput::ClipMouse(true);
  g_window->SetDefaultWorldView();
  if (KInput::IsKeyDown(K_KEY_F)) UpdateFps(g_window, &g_fps, true, 5, 500);

  if (_state != STATE_LEVEL_OVER) {
    MoveObjectsAndBall();
  } else {
    if (KInput::IsLeftButtonDown()) _messagePanel->Close();
    if (_messagePanel->fade <= 0 && _messagePanel->closeRequest == 1) {
      _state = _neededBrickCnt > _giftCounter->caught ? STATE_RETRY : STATE_CONTINUE;
    }
  }
  if (KInput::IsKeyDown(K_KEY_ESCAPE)) _state = STATE_TO_MENU;
  if (g_window->IsQuit()) _state = STATE_QUIT;
  ApplyKeyCombinations(comboUsed);

  Draw();
  Collide();
  _messagePanel->Update();
  g_window->FlipBackBuffer(true, true);
}

void LevelAttempt::MoveObjectsAndBall() {
  int mouseX = KInput::GetMouseX(), mouseY = KInput::GetMouseY();
  if (mouseX < kPlayLeft || mouseX > kPlayRight || mouseY < kPlayTop || mouseY > kPlayBottom) {
    KInput::SetMousePosition(std::clamp(mouseX, kPlayLeft, kPlayRight),
                             std::clamp(mouseY, kPlayTop, kPlayBottom));
  }
  _paddle->Update();
  _paddle->GetRect(&_paddleRect);
  if (_ball->Update(_paddleRect) == 1) {
    _messagePanel->Close();
    _state = STATE_RUNNING;
  }
  if (!HasGiftsLeft()) {
    _state = STATE_LEVEL_OVER;
    ShowResult();
  }
}

void LevelAttempt::ShowResult() {
  int caught = _giftCounter->caught;
  if (_neededBrickCnt > caught) {
    _messagePanel->SetText("You didn't catch", "enougth gifts. Try again...");
  } else if (caught == _brickCnt && _neededBrickCnt < _brickCnt) {
    _messagePanel->SetText("Bravo! You collected", "all the gifts :)");
  } else {
    _messagePanel->SetText("You have made it", "The next level is waiting...");
  }
  _messagePanel->Show();
}

void LevelAttempt::ApplyKeyCombinations(bool& comboUsed) {
  bool cDown = KInput::IsKeyDown(K_KEY_C);
  if (cDown && !comboUsed) {
    if (KInput::IsKeyDown(K_KEY_N)) {
      _state = STATE_CONTINUE;
      comboUsed = true;
    }
    if (KInput::IsKeyDown(K_KEY_L)) {
      ++_livesDisplay->count;
      comboUsed = true;
    }
    if (KInput::IsKeyDown(K_KEY_O)) {
      _state = STATE_GAME_OVER;
      comboUsed = true;
    }
  } else if (!cDown && comboUsed) {
    comboUsed = false;
  }
}

void LevelAttempt::Draw() {
  g_resources.GetImage(IMAGE_BACKGROUND)->BlitRect(0, 0, 800, 640, 0, 0, false, false);
  for (int i = 0; i < _brickCnt; ++i)
    if (_objects[i]->state != BRICK_GONE) _objects[i]->Draw();
  _ball->Draw();
  _paddle->Draw();
  _livesDisplay->Draw();
  _giftCounter->Draw();
}

void LevelAttempt::Collide() {
  Circle ball;
  _ball->GetCircle(&ball);
  for (int i = 0; i < _brickCnt; ++i) {
    Brick& brick = *_objects[i];
    if (brick.state != BRICK_GONE) CollideBrick(brick, ball, _paddleRect);
  }
  BounceOnPaddle(ball, _paddleRect);
  LoseFallenBall(_paddleRect);
}

void LevelAttempt::CollideBrick(Brick& brick, const Circle& ball, const Rect& paddle) {
  brick.Update();
  Circle circle;
  Rect rect;
  if (!brick.GetHitCircle(&circle) || !brick.GetCatchRect(&rect)) return;
  int side = 0;
  if (brick.state == BRICK_HANGING && CircleRectHit(ball, rect, &side)) {
    PlaySound(SOUND_BALL_BRICK);
    brick.state = BRICK_FALLING;
    brick.velocity = _ball->velocity;
    if (side == kSideRightOfCentre || side == kSideLeftOfCentre) {
      _ball->velocity.x *= -1;
    } else if (side == kSideAboveCentre || side == kSideBelowCentre) {
      _ball->velocity.y *= -1;
    } else {
      _ball->velocity.Scale(-1);
    }
  } else if (brick.state == BRICK_FALLING && CircleRectHit(circle, paddle, &side)) {
    if (brick.IsGift()) {
      PlaySound(SOUND_PRESENT_PADDLE);
      brick.state = BRICK_GONE;
      ++_giftCounter->caught;
    } else if (brick.type >= BRICK_CHIMNEY) {
      PlaySound(SOUND_CHIMNEY_PADDLE);
      brick.state = BRICK_GONE;
      _paddle->mode = PADDLE_SHAKE_SHORT;
      if (_giftCounter->caught >= 1) --_giftCounter->caught;
    } else if (brick.type == BRICK_SNOWBALL) {
      PlaySound(SOUND_SNOWBALL_PADDLE);
      brick.state = BRICK_GONE;
      _paddle->mode = PADDLE_SHAKE_LONG;
    }
  }
}

void LevelAttempt::BounceOnPaddle(const Circle& ball, const Rect& paddle) {
  int side = 0;
  if (!CircleRectHit(ball, paddle, &side) || _ball->state == BALL_ON_PADDLE) return;
  if (!g_resources.GetSound(SOUND_BALL_PADDLE)->IsPlaying()) PlaySound(SOUND_BALL_PADDLE);
  float phi = PaddleDepartureAngle(paddle, ball.centre.x);
  float a = _ball->velocity.AngleTo({0, 1});
  _ball->velocity.Rotate(3.141592f + a - phi);
}

// A ball that fell out takes one life and rides on the paddle again. It is put there at once, so
// that it can't take another life in the frames in which it doesn't move (while the result shows).
void LevelAttempt::LoseFallenBall(const Rect& paddle) {
  if (_ball->position.y < kFallenBallY) return;
  --_livesDisplay->count;
  --*_lives;
  if (_livesDisplay->count < 0) {
    _state = STATE_GAME_OVER;
    return;
  }
  _ball->state = BALL_ON_PADDLE;
  _ball->PutOnPaddle(paddle);
}

void LevelAttempt::PlaySound(int sound) {
  g_resources.GetSound(sound)->PlaySample();
}
