// One try at one level: set up from the level's file, played in its own frame loop until a
// result, then torn down. It holds the rules of play.
#pragma once

#include "LevelObjects.h"
#include "ResourceSet.h"

class KTrueText;

class LevelAttempt {
 public:
  static constexpr int kMaximumObjects = 70;
  static constexpr int kTextSize = 80;

  // False when the level has no file; nothing made is left behind then.
  bool Setup(int levelNumber, int* gameLives);
  // STATE_CONTINUE, STATE_RETRY, STATE_GAME_OVER, STATE_TO_MENU or STATE_QUIT.
  int Run();
  void Teardown();
  bool HasGiftsLeft() const;
  // Reads levels\<level>.xml; false when there is no such file, or when it is no level file (not
  // a readable regular file, not XML, no level element), which is reported on standard error, as
  // is a missing first level. A need of gifts beyond those in play is held to them.
  bool LoadLevel(int levelNumber);

  int GetState() const { return state_; }
  int GetBrickCount() const { return _brickCnt; }
  int GetGiftCount() const { return giftCount_; }
  int GetNeededCount() const { return _neededBrickCnt; }
  const char* GetName() const { return name_; }
  const char* GetDescription() const { return descr_; }
  const Brick* GetBrick(int index) const { return objects_[index]; }

 private:
  void Frame(bool& comboUsed);
  void MoveObjectsAndBall();
  void ShowResult();
  void Draw();
  void Collide();
  void CollideBrick(Brick& brick, const Circle& ball, const Rect& paddle);
  void BounceOnPaddle(const Circle& ball, const Rect& paddle);
  void LoseFallenBall(const Rect& paddle);
  void ApplyKeyCombinations(bool& comboUsed);
  void PlaySound(int sound);
  void HoldNeededToCatchableGifts(const char* path);

  int state_ = 0;
  int _brickCnt = 0;
  int giftCount_ = 0;
  int _neededBrickCnt = 0;
  char name_[kTextSize] = {};
  char descr_[kTextSize] = {};
  int level_ = 0;
  int* lives_ = nullptr;
  ResourceSet resources_;
  KTrueText* font_ = nullptr;
  Paddle* paddle_ = nullptr;
  Ball* ball_ = nullptr;
  // Objects made from the file; the first _brickCnt are in play, all are released at teardown.
  Brick* objects_[kMaximumObjects] = {};
  LivesDisplay* livesDisplay_ = nullptr;
  GiftCounter* giftCounter_ = nullptr;
  MessagePanel* messagePanel_ = nullptr;
  Rect paddleRect_ = {};
};
