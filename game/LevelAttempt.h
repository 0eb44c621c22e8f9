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
  // Reads levels\<level>.xml; false when there is no such file.
  bool LoadLevel(int levelNumber);

  int GetState() const { return _state; }
  int GetBrickCount() const { return _brickCnt; }
  int GetGiftCount() const { return _giftCount; }
  int GetNeededCount() const { return _neededBrickCnt; }
  const char* GetName() const { return _name; }
  const char* GetDescription() const { return _descr; }
  const Brick* GetBrick(int index) const { return _objects[index]; }

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

  int _state = 0;
  int _brickCnt = 0;
  int _giftCount = 0;
  int _neededBrickCnt = 0;
  char _name[kTextSize] = {};
  char _descr[kTextSize] = {};
  int _level = 0;
  int* _lives = nullptr;
  ResourceSet _resources;
  KTrueText* _font = nullptr;
  Paddle* _paddle = nullptr;
  Ball* _ball = nullptr;
  // Objects made from the file; the first _brickCnt are in play, all are released at teardown.
  Brick* _objects[kMaximumObjects] = {};
  LivesDisplay* _livesDisplay = nullptr;
  GiftCounter* _giftCounter = nullptr;
  MessagePanel* _messagePanel = nullptr;
  Rect _paddleRect = {};
};
