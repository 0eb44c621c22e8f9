#include "LevelAttempt.h"

#include <algorithm>

#include "DataFileReport.h"
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
constexpr char kFontFile[] = "img\\font\\bw.ttf";

}  // namespace

bool LevelAttempt::Setup(int levelNumber, int* gameLives) {
  level_ = levelNumber;
  lives_ = gameLives;
  state_ = STATE_START;
  KGraphic* sprites = g_resources.GetImage(IMAGE_SPRITES);

  LoadDataFile(kFontFile, [this] {
    font_ = new KTrueText(KMiscTools::MakeFilePath(kFontFile));
    return font_->GetHeight() > 0;
  });
  paddle_ = new Paddle;
  paddle_->Init(sprites);
  paddle_->SetPosition(300, 550);
  ball_ = new Ball;
  ball_->Init(sprites, 0, 0, 800, 600);
  ball_->SetPosition(300, 300);
  ball_->SetVelocity(4, 4);
  livesDisplay_ = new LivesDisplay;
  livesDisplay_->Init(sprites);
  livesDisplay_->SetPosition(710, -10);
  livesDisplay_->count = *lives_;

  if (!LoadLevel(levelNumber)) {
    Teardown();
    return false;
  }

  giftCounter_ = new GiftCounter;
  giftCounter_->Init(sprites, _neededBrickCnt, giftCount_);
  giftCounter_->SetPosition(-50, 500);
  messagePanel_ = new MessagePanel;
  messagePanel_->Init(font_, name_, descr_, 50);
  messagePanel_->SetPosition(120, 80);
  return true;
}

void LevelAttempt::Teardown() {
  delete font_;
  font_ = nullptr;
  delete paddle_;
  paddle_ = nullptr;
  delete ball_;
  ball_ = nullptr;
  delete livesDisplay_;
  livesDisplay_ = nullptr;
  delete giftCounter_;
  giftCounter_ = nullptr;
  delete messagePanel_;
  messagePanel_ = nullptr;
  for (Brick*& object : objects_) {
    delete object;
    object = nullptr;
  }
}

// Only a gift that can still be caught or fall keeps the level going.
bool LevelAttempt::HasGiftsLeft() const {
  for (int i = 0; i < _brickCnt; ++i)
    if (objects_[i]->IsCatchableGift()) return true;
  return false;
}

int LevelAttempt::Run() {
  // Set before the first frame: C already held when the level starts does nothing until it is
  // pressed again.
  bool comboUsed = true;
  for (;;) {
    Frame(comboUsed);
    switch (state_) {
      case STATE_CONTINUE:
      case STATE_RETRY:
      case STATE_GAME_OVER:
      case STATE_TO_MENU:
      case STATE_QUIT:
        return state_;
      default:
        break;
    }
  }
}

void LevelAttempt::Frame(bool& comboUsed) {
  KInput::ClipMouse(true);
  BeginFrameOver(g_window, g_resources.GetImage(IMAGE_BACKGROUND));
  if (KInput::IsKeyDown(K_KEY_F)) UpdateFps(g_window, &g_fps, true, 5, 500);

  if (state_ != STATE_LEVEL_OVER) {
    MoveObjectsAndBall();
  } else {
    if (KInput::IsLeftButtonDown()) messagePanel_->Close();
    if (messagePanel_->fade <= 0 && messagePanel_->closeRequest == 1) {
      state_ = _neededBrickCnt > giftCounter_->caught ? STATE_RETRY : STATE_CONTINUE;
    }
  }
  if (KInput::IsKeyDown(K_KEY_ESCAPE)) state_ = STATE_TO_MENU;
  if (g_window->IsQuit()) state_ = STATE_QUIT;
  ApplyKeyCombinations(comboUsed);

  Draw();
  Collide();
  messagePanel_->Update();
  g_window->FlipBackBuffer(true, true);
}

void LevelAttempt::MoveObjectsAndBall() {
  int mouseX = KInput::GetMouseX(), mouseY = KInput::GetMouseY();
  if (mouseX < kPlayLeft || mouseX > kPlayRight || mouseY < kPlayTop || mouseY > kPlayBottom) {
    KInput::SetMousePosition(std::clamp(mouseX, kPlayLeft, kPlayRight),
                             std::clamp(mouseY, kPlayTop, kPlayBottom));
  }
  paddle_->Update();
  paddle_->GetRect(&paddleRect_);
  if (ball_->Update(paddleRect_) == 1) {
    messagePanel_->Close();
    state_ = STATE_RUNNING;
  }
  if (!HasGiftsLeft()) {
    state_ = STATE_LEVEL_OVER;
    ShowResult();
  }
}

void LevelAttempt::ShowResult() {
  int caught = giftCounter_->caught;
  if (_neededBrickCnt > caught) {
    messagePanel_->SetText("You didn't catch", "enougth gifts. Try again...");
  } else if (caught == _brickCnt && _neededBrickCnt < _brickCnt) {
    messagePanel_->SetText("Bravo! You collected", "all the gifts :)");
  } else {
    messagePanel_->SetText("You have made it", "The next level is waiting...");
  }
  messagePanel_->Show();
}

void LevelAttempt::ApplyKeyCombinations(bool& comboUsed) {
  bool cDown = KInput::IsKeyDown(K_KEY_C);
  if (cDown && !comboUsed) {
    if (KInput::IsKeyDown(K_KEY_N)) {
      state_ = STATE_CONTINUE;
      comboUsed = true;
    }
    if (KInput::IsKeyDown(K_KEY_L)) {
      ++livesDisplay_->count;
      comboUsed = true;
    }
    if (KInput::IsKeyDown(K_KEY_O)) {
      state_ = STATE_GAME_OVER;
      comboUsed = true;
    }
  } else if (!cDown && comboUsed) {
    comboUsed = false;
  }
}

void LevelAttempt::Draw() {
  g_resources.GetImage(IMAGE_BACKGROUND)->BlitRect(0, 0, 800, 640, 0, 0, false, false);
  for (int i = 0; i < _brickCnt; ++i)
    if (objects_[i]->state != BRICK_GONE) objects_[i]->Draw();
  ball_->Draw();
  paddle_->Draw();
  livesDisplay_->Draw();
  giftCounter_->Draw();
}

void LevelAttempt::Collide() {
  Circle ball;
  ball_->GetCircle(&ball);
  for (int i = 0; i < _brickCnt; ++i) {
    Brick& brick = *objects_[i];
    if (brick.state != BRICK_GONE) CollideBrick(brick, ball, paddleRect_);
  }
  BounceOnPaddle(ball, paddleRect_);
  LoseFallenBall(paddleRect_);
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
    brick.velocity = ball_->velocity;
    if (side == kSideRightOfCentre || side == kSideLeftOfCentre) {
      ball_->velocity.x *= -1;
    } else if (side == kSideAboveCentre || side == kSideBelowCentre) {
      ball_->velocity.y *= -1;
    } else {
      ball_->velocity.Scale(-1);
    }
  } else if (brick.state == BRICK_FALLING && CircleRectHit(circle, paddle, &side)) {
    if (brick.IsGift()) {
      PlaySound(SOUND_PRESENT_PADDLE);
      brick.state = BRICK_GONE;
      ++giftCounter_->caught;
    } else if (brick.type >= BRICK_CHIMNEY) {
      PlaySound(SOUND_CHIMNEY_PADDLE);
      brick.state = BRICK_GONE;
      paddle_->mode = PADDLE_SHAKE_SHORT;
      if (giftCounter_->caught >= 1) --giftCounter_->caught;
    } else if (brick.type == BRICK_SNOWBALL) {
      PlaySound(SOUND_SNOWBALL_PADDLE);
      brick.state = BRICK_GONE;
      paddle_->mode = PADDLE_SHAKE_LONG;
    }
  }
}

void LevelAttempt::BounceOnPaddle(const Circle& ball, const Rect& paddle) {
  int side = 0;
  if (!CircleRectHit(ball, paddle, &side) || ball_->state == BALL_ON_PADDLE) return;
  if (!g_resources.GetSound(SOUND_BALL_PADDLE)->IsPlaying()) PlaySound(SOUND_BALL_PADDLE);
  float phi = PaddleDepartureAngle(paddle, ball.centre.x);
  float a = ball_->velocity.AngleTo({0, 1});
  ball_->velocity.Rotate(3.141592f + a - phi);
}

// A ball that fell out takes one life and rides on the paddle again. It is put there at once, so
// that it can't take another life in the frames in which it doesn't move (while the result shows).
void LevelAttempt::LoseFallenBall(const Rect& paddle) {
  if (ball_->position.y < kFallenBallY) return;
  --livesDisplay_->count;
  --*lives_;
  if (livesDisplay_->count < 0) {
    state_ = STATE_GAME_OVER;
    return;
  }
  ball_->state = BALL_ON_PADDLE;
  ball_->PutOnPaddle(paddle);
}

void LevelAttempt::PlaySound(int sound) {
  g_resources.GetSound(sound)->PlaySample();
}
