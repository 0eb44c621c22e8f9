// Whole games through the state machine, played by a scripted player who sees the screen.
#include "game_session.h"

#include <cstdlib>
#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "Game.h"
#include "GameState.h"
#include "LevelObjects.h"

namespace {

using Screen = GameSession::Screen;

using Game = GameSession;

}  // namespace

TEST_F(Game, EscapeInALevelReturnsToTheMenu) {
  WriteLevel(1, LevelFile("brickCnt=\"1\" neededBrickCnt=\"1\"", Object(600, 100, 0)));
  OpenGameWindow();
  Play([this] {
    if (screen_ == Screen::kMenu && seen_.size() == 1) ClickOn(3);
    if (screen_ == Screen::kLevel) {
      if (framesOnScreen_ == 10) Key(VK_ESCAPE, true);
      if (framesOnScreen_ == 13) Key(VK_ESCAPE, false);
    }
    if (screen_ == Screen::kMenu && seen_.size() == 3 && framesOnScreen_ >= 10) CloseWindowNow();
  });
  EXPECT_EQ(RunGameStep(), STATE_TO_MENU);
  EXPECT_EQ(RunGameStep(), STATE_QUIT);
  EXPECT_EQ(seen_, (std::vector<Screen>{Screen::kMenu, Screen::kLevel, Screen::kMenu}));
}

// Level 1 shows a snowball and level 2 a chimney at the same spot; each drops a gift onto a
// paddle that stays in the middle.
TEST_F(Game, WinningTheLastLevelShowsTheFinishScreenAndANewGameStartsAtLevel1) {
  const std::string gift = Object(331, 100, BRICK_GIFT_SMALL, BRICK_FALLING);
  WriteLevel(1, LevelFile("brickCnt=\"2\" neededBrickCnt=\"1\"", Object(600, 150, 3) + gift));
  WriteLevel(2, LevelFile("brickCnt=\"2\" neededBrickCnt=\"1\"", Object(600, 150, 4) + gift));
  OpenGameWindow();
  std::vector<std::string> levels;
  std::vector<int> lives;
  int visits = 0;
  Play([&] {
    if (screen_ == Screen::kMenu) ClickOn(3);
    if (screen_ == Screen::kFinish) ClickOn(5);
    if (screen_ != Screen::kLevel) return;
    if (framesOnScreen_ == 1) {
      ++visits;
      MoveCursor(400, 300);
    }
    GameColour marker = Pixel(667, 223);
    std::string shown = Near(marker, kSnowballColour)  ? "snowball"
                        : Near(marker, kChimneyColour) ? "chimney"
                                                       : "";
    if (!shown.empty() && (levels.empty() || levels.back() != shown)) {
      levels.push_back(shown);
      lives.push_back(LivesShown());
    }
    if (visits == 2) {
      if (framesOnScreen_ == 10) CloseWindowNow();
      return;
    }
    KeepClicking();  // launches the ball, and closes the result message
  });
  EXPECT_EQ(RunGameStep(), STATE_CONTINUE) << "the click on the finish screen";
  EXPECT_EQ(RunGameStep(), STATE_QUIT);
  EXPECT_EQ(seen_, (std::vector<Screen>{Screen::kMenu, Screen::kLevel, Screen::kFinish,
                                        Screen::kMenu, Screen::kLevel}));
  EXPECT_EQ(levels, (std::vector<std::string>{"snowball", "chimney", "snowball"}));
  EXPECT_EQ(lives, (std::vector<int>{3, 3, 3}));
}

// The gift falls out of reach: every attempt ends with too few gifts and is tried again, while
// the player keeps the paddle away from the ball.
TEST_F(Game, RetriesKeepTheLivesLeftAndTheLastLostBallEndsTheGame) {
  WriteLevel(1, LevelFile("brickCnt=\"1\" neededBrickCnt=\"1\"",
                          Object(331, -5000, BRICK_GIFT_SMALL, BRICK_FALLING)));
  OpenGameWindow();
  std::vector<int> lives;
  int giftsSeen = 0;
  bool giftShowing = false;
  int levelVisits = 0;
  Play([&] {
    if (screen_ == Screen::kMenu) ClickOn(3);
    if (screen_ == Screen::kGameOver) ClickOn(5);
    if (screen_ != Screen::kLevel) return;
    if (framesOnScreen_ == 1) ++levelVisits;
    int shown = LivesShown();
    if (lives.empty() || lives.back() != shown) lives.push_back(shown);
    bool gift = Near(Pixel(400, 300), kGiftColour);
    if (gift && !giftShowing) ++giftsSeen;
    giftShowing = gift;
    if (levelVisits == 2) {
      if (framesOnScreen_ == 10) CloseWindowNow();
      return;
    }
    AvoidTheBall();
    KeepClicking();
  });
  EXPECT_EQ(RunGameStep(), STATE_CONTINUE) << "the click on the game-over screen";
  EXPECT_EQ(RunGameStep(), STATE_QUIT);
  EXPECT_EQ(seen_, (std::vector<Screen>{Screen::kMenu, Screen::kLevel, Screen::kGameOver,
                                        Screen::kMenu, Screen::kLevel}));
  EXPECT_EQ(lives, (std::vector<int>{3, 2, 1, 0, 3}))
      << "one life a lost ball across the attempts; a new game has 3 again";
  EXPECT_GE(giftsSeen, 3) << "the level was tried again after each lost gift";
}

class Program : public GameSession {
 protected:
  // The program from its entry; the frames presented after the close request was handed over.
  int FramesAfterTheClose() {
    EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
    EXPECT_EQ(g_window, nullptr);
    EXPECT_GE(closeFrame_, 0);
    return frame_ - closeFrame_;
  }
};

TEST_F(Program, ClosingTheWindowInTheMenuEndsTheProgramInTheNextFrame) {
  Play([this] {
    if (framesOnScreen_ >= 5 && closeFrame_ < 0) CloseWindowNow();
  });
  EXPECT_EQ(FramesAfterTheClose(), 1);
  EXPECT_EQ(seen_, std::vector<Screen>{Screen::kMenu});
}

TEST_F(Program, EscapeInTheMenuEndsTheProgramInTheNextFrame) {
  int pressed = -1;
  Play([&] {
    if (framesOnScreen_ != 4) return;
    Key(VK_ESCAPE, true);
    pressed = frame_;
  });
  EXPECT_EQ(WinMain(nullptr, nullptr, nullptr, 0), 0);
  EXPECT_EQ(frame_, pressed + 1);
  EXPECT_EQ(g_window, nullptr);
  EXPECT_EQ(seen_, std::vector<Screen>{Screen::kMenu});
}

TEST_F(Program, ClosingTheWindowInALevelEndsTheProgramInTheNextFrame) {
  WriteLevel(1, LevelFile("brickCnt=\"1\" neededBrickCnt=\"1\"", Object(600, 100, 0)));
  WriteLevel(2, LevelFile("brickCnt=\"1\" neededBrickCnt=\"1\"", Object(600, 100, 0)));
  Play([this] {
    if (screen_ == Screen::kMenu) ClickOn(3);
    if (screen_ == Screen::kLevel && framesOnScreen_ >= 5 && closeFrame_ < 0) CloseWindowNow();
  });
  EXPECT_EQ(FramesAfterTheClose(), 1);
  EXPECT_EQ(seen_, (std::vector<Screen>{Screen::kMenu, Screen::kLevel}));
}

TEST_F(Program, WithoutALevelFileTheFinishScreenShowsAndClosingItEndsTheProgram) {
  Play([this] {
    if (screen_ == Screen::kMenu) ClickOn(3);
    if (screen_ == Screen::kFinish && framesOnScreen_ >= 5 && closeFrame_ < 0) CloseWindowNow();
  });
  EXPECT_EQ(FramesAfterTheClose(), 1);
  EXPECT_EQ(seen_, (std::vector<Screen>{Screen::kMenu, Screen::kFinish}));
}

// The program from its entry to the process's exit; the exit code tells whether the shared
// resources were still there after the window had gone.
[[noreturn]] void RunTheProgramAndExit() {
  WinMain(nullptr, nullptr, nullptr, 0);
  bool resourcesLeft = g_resources.GetImage(IMAGE_SPRITES) && g_resources.GetSound(4);
#if defined(__SANITIZE_ADDRESS__)
  // As the test main does: look for leaks while the system's libraries are still loaded.
  __lsan_do_leak_check();
#endif
  std::exit(resourcesLeft && !g_window ? 0 : 3);
}

// The program's exit destroys the shared pictures and sounds after the window is gone, as the
// static objects of a process go: that must neither crash nor touch released objects.
TEST_F(Program, TheSharedResourcesAreReleasedAtTheProgramsExitAfterTheWindow) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Play([this] {
    if (framesOnScreen_ >= 3 && closeFrame_ < 0) CloseWindowNow();
  });
  EXPECT_EXIT(RunTheProgramAndExit(), testing::ExitedWithCode(0), "");
}
