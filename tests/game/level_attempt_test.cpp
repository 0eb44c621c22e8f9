// The rules of play inside one level attempt, played in the game window by a scripted player who
// keeps the paddle in the middle, where the gifts of these levels fall.
#include "game_session.h"

#include "GameState.h"
#include "LevelAttempt.h"
#include "LevelObjects.h"
#include "platform/files.h"

namespace {

// Objects whose catch circle is over the paddle's middle when the cursor is at x 400, and objects
// that fall past it on the right.
constexpr int kOverPaddle = 331;
constexpr int kPastPaddle = 600;

// A gift hanging above the window: the ball never reaches it, so the level never ends by itself.
const std::string kUnreachableGift = Object(kPastPaddle, -300, BRICK_GIFT_SMALL);

class LevelAttemptTest : public GameSession {
 protected:
  void SetUp() override {
    GameSession::SetUp();
    OpenGameWindow();
  }

  // Sets the level up and plays it to its end; what the player does beyond keeping the paddle
  // in the middle and clicking now and then is given.
  int PlayLevel(const std::string& levelFile, std::function<void()> more = nullptr,
                bool click = true) {
    WriteLevel(1, levelFile);
    MoveCursor(cursorX_ = 400, 300);
    Play([this, more, click] {
      if (click) KeepClicking();
      if (more) more();
    });
    screen_ = Screen::kUnknown;  // each attempt counts its frames from 1
    LevelAttempt attempt;
    if (!attempt.Setup(1, &lives_)) {
      ADD_FAILURE() << "no level";
      return -1;
    }
    int result = attempt.Run();
    attempt.Teardown();
    return result;
  }

  int lives_ = 3;
};

std::string Gifts(int x, int count, int firstY) {
  std::string gifts;
  for (int i = 0; i < count; ++i)
    gifts += Object(x, firstY - 150 * i, BRICK_GIFT_MEDIUM, BRICK_FALLING);
  return gifts;
}

}  // namespace

TEST_F(LevelAttemptTest, EnoughCaughtGiftsWinTheLevelAndTooFewRetryIt) {
  // Needed 3 of 5 gifts.
  EXPECT_EQ(PlayLevel(LevelFile("brickCnt=\"5\" neededBrickCnt=\"3\"",
                                Gifts(kOverPaddle, 2, 100) + Gifts(kPastPaddle, 3, 100))),
            STATE_RETRY);
  EXPECT_EQ(PlayLevel(LevelFile("brickCnt=\"5\" neededBrickCnt=\"3\"",
                                Gifts(kOverPaddle, 3, 100) + Gifts(kPastPaddle, 2, 100))),
            STATE_CONTINUE);
  EXPECT_EQ(PlayLevel(LevelFile("brickCnt=\"5\" neededBrickCnt=\"3\"", Gifts(kOverPaddle, 5, 100))),
            STATE_CONTINUE);
  EXPECT_EQ(lives_, 3) << "the paddle in the middle returns every ball";
}

// Without its background nothing paints over the previous frame: the level is cleared instead, so
// that the paddle leaves no trail where it was.
TEST_F(LevelAttemptTest, WithoutItsBackgroundTheLevelIsStillClearedEachFrame) {
  std::filesystem::remove(
      platform::NativePath(KMiscTools::MakeFilePath("img\\bg\\nivra_hills1.jpg")));
  g_resources.ClearImages();
  g_resources.ClearSounds();
  LoadGlobalResources();
  GameColour before{}, after{};
  int frame = 0;
  WriteLevel(1, LevelFile("brickCnt=\"1\"", kUnreachableGift));
  MoveCursor(200, 300);
  Play([&] {
    if (++frame == 3) {
      before = Pixel(200, 570);
      MoveCursor(600, 300);
    } else if (frame == 6) {
      after = Pixel(200, 570);
      Key(VK_ESCAPE, true);
    }
  });
  LevelAttempt attempt;
  ASSERT_TRUE(attempt.Setup(1, &lives_));
  EXPECT_EQ(attempt.Run(), STATE_TO_MENU);
  attempt.Teardown();
  Key(VK_ESCAPE, false);
  EXPECT_TRUE(Near(before, kPaddleColour));
  EXPECT_TRUE(Near(after, GameColour{0, 0, 0}, 0));
}

// Objects are still caught while the result message shows; the result is decided once it has
// faded out, here long after both objects were caught.
TEST_F(LevelAttemptTest, AChimneyTakesACaughtGiftBackButNeverGoesBelowNone) {
  auto lateClick = [this] { ClickOn(150); };
  const std::string chimneyFirst = Object(kOverPaddle, 100, BRICK_CHIMNEY, BRICK_FALLING) +
                                   Object(kOverPaddle, -200, BRICK_GIFT_SMALL, BRICK_FALLING);
  EXPECT_EQ(
      PlayLevel(LevelFile("brickCnt=\"2\" neededBrickCnt=\"1\"", chimneyFirst), lateClick, false),
      STATE_CONTINUE);
  const std::string giftFirst = Object(kOverPaddle, 100, BRICK_GIFT_SMALL, BRICK_FALLING) +
                                Object(kOverPaddle, 0, BRICK_CHIMNEY, BRICK_FALLING);
  EXPECT_EQ(
      PlayLevel(LevelFile("brickCnt=\"2\" neededBrickCnt=\"1\"", giftFirst), lateClick, false),
      STATE_RETRY);
}

TEST_F(LevelAttemptTest, ALevelWithoutGiftsIsOverAtOnce) {
  int levelOverAt = -1;
  EXPECT_EQ(PlayLevel(
                LevelFile("brickCnt=\"1\" neededBrickCnt=\"0\"",
                          Object(kPastPaddle, 100, BRICK_SNOWBALL)),
                [&] {
                  if (framesOnScreen_ == 1) Button(true);
                  levelOverAt = framesOnScreen_;
                },
                false),
            STATE_CONTINUE);
  // The held button closes the message as soon as it shows; it then fades out from where it
  // stands, 52 frames at most.
  EXPECT_LE(levelOverAt, 60);
}

TEST_F(LevelAttemptTest, EscapeDuringTheResultMessageReturnsToTheMenu) {
  int pressed = -1;
  EXPECT_EQ(PlayLevel(
                LevelFile("brickCnt=\"0\"", ""),
                [&] {
                  if (framesOnScreen_ != 30) return;
                  Key(VK_ESCAPE, true);
                  pressed = frame_;
                },
                false),
            STATE_TO_MENU);
  EXPECT_EQ(frame_, pressed + 1) << "in the frame after the press";
  Key(VK_ESCAPE, false);
}

TEST_F(LevelAttemptTest, EachPressOfCAllowsOneRoundOfKeyActions) {
  const std::string unreachable =
      LevelFile("brickCnt=\"1\" neededBrickCnt=\"1\"", Object(kPastPaddle, 100, BRICK_GIFT_SMALL));
  std::vector<int> livesShown;
  int pressed = -1;
  Key('C', true);  // already held when the level starts: does nothing until pressed again
  const std::vector<std::pair<int, std::pair<int, bool>>> keys = {
      {3, {'N', true}},  {4, {'N', false}},  {6, {'C', false}},  {8, {'C', true}},
      {9, {'L', true}},  {10, {'L', false}}, {11, {'L', true}},  {12, {'L', false}},
      {13, {'N', true}}, {14, {'N', false}}, {16, {'C', false}}, {18, {'C', true}},
      {20, {'N', true}}};
  int result = PlayLevel(
      unreachable,
      [&] {
        if (screen_ != Screen::kLevel) return;
        int shown = LivesShown();
        if (livesShown.empty() || livesShown.back() != shown) livesShown.push_back(shown);
        for (const auto& [frame, key] : keys) {
          if (framesOnScreen_ == frame) Key(key.first, key.second);
        }
        if (framesOnScreen_ == 20) pressed = frame_;
      },
      false);
  EXPECT_EQ(result, STATE_CONTINUE);
  EXPECT_EQ(frame_, pressed + 1) << "N with a fresh C ends the level in the next frame";
  EXPECT_EQ(livesShown, (std::vector<int>{3, 4})) << "L twice under one press of C";
  EXPECT_EQ(lives_, 3) << "the game's lives are not changed by L";

  Key('N', false);
  Key('C', false);
  int start = frame_;
  EXPECT_EQ(PlayLevel(
                unreachable,
                [&] {
                  if (frame_ == start + 2) Key('C', true);
                  if (frame_ != start + 3) return;
                  Key('O', true);
                  pressed = frame_;
                },
                false),
            STATE_GAME_OVER);
  EXPECT_EQ(frame_, pressed + 1);
  Key('O', false);
  Key('C', false);
}

TEST_F(LevelAttemptTest, TheLastLifeLostEndsTheGameWithTheLivesBelowZero) {
  lives_ = 1;
  std::vector<int> livesShown;
  EXPECT_EQ(PlayLevel(LevelFile("brickCnt=\"1\" neededBrickCnt=\"1\"", kUnreachableGift),
                      [&] {
                        AvoidTheBall();
                        if (screen_ != Screen::kLevel) return;
                        int shown = LivesShown();
                        if (livesShown.empty() || livesShown.back() != shown)
                          livesShown.push_back(shown);
                      }),
            STATE_GAME_OVER);
  EXPECT_EQ(lives_, -1);
  EXPECT_EQ(livesShown, (std::vector<int>{1, 0})) << "a ball lost with no life shown ends it";
}

// A ball that falls out in the frame in which the level ends is lost once: it goes back on the
// paddle, where it stands still while the result shows. A first run finds when the ball is lost;
// the next runs drop the level's only gift out of the window around that frame, so that in one of
// them the level ends in the very frame in which the ball falls out.
TEST_F(LevelAttemptTest, ABallLostAsTheLevelEndsTakesOneLifeOnly) {
  int lossShownAt = -1;
  auto play = [&](bool leaveAfterTheLoss) {
    return [&, leaveAfterTheLoss] {
      if (screen_ != Screen::kLevel) return;
      AvoidTheBall();
      if (lossShownAt < 0 && LivesShown() < 3) lossShownAt = framesOnScreen_;
      if (leaveAfterTheLoss && lossShownAt > 0) Key(VK_ESCAPE, true);
    };
  };
  Button(true);  // launches the ball at once, and later closes the result message
  ASSERT_EQ(PlayLevel(LevelFile("brickCnt=\"1\" neededBrickCnt=\"1\"", kUnreachableGift),
                      play(true), false),
            STATE_TO_MENU);
  Key(VK_ESCAPE, false);
  const int firstLoss = lossShownAt;
  ASSERT_GT(firstLoss, 10);
  for (int goneAt = firstLoss - 3; goneAt <= firstLoss; ++goneAt) {
    // A falling gift goes at the update that finds it below 800: the goneAt-th, when it starts
    // the fall of goneAt - 1 updates, less half the last of them, above 800.
    const double fall = 0.09 * (goneAt - 1) * goneAt;
    const int y0 = static_cast<int>(800 - fall + 0.09 * (goneAt - 1));
    lives_ = 3;
    lossShownAt = -1;
    EXPECT_EQ(PlayLevel(LevelFile("brickCnt=\"1\" neededBrickCnt=\"1\"",
                                  Object(kOverPaddle, y0, BRICK_GIFT_SMALL, BRICK_FALLING)),
                        play(false), false),
              STATE_RETRY)
        << "gift gone at update " << goneAt;
    // The level may end before the ball falls out: the ball then stands still in the air.
    EXPECT_GE(lives_, 2) << "one life at most, gift gone at update " << goneAt;
  }
  Button(false);
}
