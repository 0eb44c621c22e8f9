// The menu and end screens answering clicks, Escape and close requests, and the frame rate in the
// title, on a real DirectX window with scripted input and the manual clock.
#include "Screens.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <map>
#include <regex>

#include "GameState.h"
#include "GameTools.h"
#include "GlobalResources.h"
#include "KFactory.h"
#include "platform/clock.h"
#include "platform/input_seams.h"
#include "platform/win32.h"
#include "screen_window.h"

namespace {

constexpr int kEscape = 0x1B;
constexpr int kF = 'F';

// Frames are counted by the window's flip, which looks for one message at the end of each frame:
// an action scripted for frame n changes the input that frame n + 1 reads.
class ScreensTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::UseScriptedInput(true);
    // Each reading of the clock moves it by a millisecond, so the frame limiter's wait ends.
    platform::UseManualClock(5'000'000, 1000);
    delete KFactory::CreateWindowObject(0, false);
    window_ = new TitleRecordingWindow;
    window_->SetMaxFrameRate(60);
    ASSERT_TRUE(window_->CreateGameWindow(800, 600, 32, true, "Tundrel"));
    platform::ScriptForeground(window_->GetWindowHandle());
    g_window = window_;
    g_menuClickLatch = false;
    g_endClickLatch = false;
    platform::SetInputPumpHook([this] { EndOfFrame(); });
  }

  void TearDown() override {
    platform::SetInputPumpHook(nullptr);
    g_window = nullptr;
    delete window_;
    platform::UseScriptedInput(true);
    platform::UseRealClock();
  }

  void EndOfFrame() {
    ++frames_;
    auto action = script_.find(frames_);
    if (action != script_.end()) action->second();
    // A screen that never ends would fail the test by its timeout: close it long before.
    if (frames_ == kLastFrame) Close();
  }

  // Runs the screen from a fresh frame count.
  int Run(const std::function<int()>& screen) {
    frames_ = 0;
    int state = screen();
    script_.clear();
    return state;
  }

  void At(int frame, std::function<void()> action) { script_[frame] = std::move(action); }
  void Close() { SendMessageA(window_->GetWindowHandle(), WM_CLOSE, 0, 0); }
  static void Button(bool down) { platform::ScriptMouseButton(VK_LBUTTON, down); }
  static void Key(int key, bool down) { platform::ScriptKey(key, down); }

  static constexpr int kLastFrame = 400;
  TitleRecordingWindow* window_ = nullptr;
  int frames_ = 0;
  std::map<int, std::function<void()>> script_;
};

TEST_F(ScreensTest, MenuClickCountsOnReleaseNotWhileHeld) {
  At(1, [] { Button(true); });
  At(30, [] { Button(false); });
  EXPECT_EQ(Run(RunMenuScreen), STATE_CONTINUE);
  EXPECT_EQ(frames_, 31) << "the frame in which the button is up again ends the menu";
  EXPECT_FALSE(g_menuClickLatch);
}

TEST_F(ScreensTest, HoldingTheButtonStartsNothing) {
  At(1, [] { Button(true); });
  At(50, [this] { Close(); });
  EXPECT_EQ(Run(RunMenuScreen), STATE_QUIT);
  EXPECT_EQ(frames_, 51);
}

TEST_F(ScreensTest, ButtonHeldWhenTheScreenOpensCountsOnRelease) {
  Button(true);
  At(3, [] { Button(false); });
  EXPECT_EQ(Run(RunMenuScreen), STATE_CONTINUE);
  EXPECT_EQ(frames_, 4);

  Button(true);
  At(2, [] { Button(false); });
  EXPECT_EQ(Run([] { return RunEndScreen(false); }), STATE_CONTINUE);
  EXPECT_EQ(frames_, 3);
}

TEST_F(ScreensTest, LatchSetWhenLeavingCountsAsAClickOnTheNextVisit) {
  At(1, [] { Button(true); });
  At(4, [] { Key(kEscape, true); });
  EXPECT_EQ(Run(RunMenuScreen), STATE_QUIT);
  EXPECT_TRUE(g_menuClickLatch);

  // The end screens have their own latch: the menu's does not reach them.
  Button(false);
  Key(kEscape, false);
  At(10, [] { Key(kEscape, true); });
  EXPECT_EQ(Run([] { return RunEndScreen(true); }), STATE_TO_MENU);
  EXPECT_EQ(frames_, 11);

  // Escape still held from the end screen does not quit the menu.
  EXPECT_EQ(Run(RunMenuScreen), STATE_CONTINUE);
  EXPECT_EQ(frames_, 1) << "the first frame with the button up";
  EXPECT_FALSE(g_menuClickLatch);
}

TEST_F(ScreensTest, BothEndScreensShareOneLatch) {
  Button(true);
  At(2, [] { Key(kEscape, true); });
  EXPECT_EQ(Run([] { return RunEndScreen(false); }), STATE_TO_MENU);
  EXPECT_TRUE(g_endClickLatch);
  EXPECT_FALSE(g_menuClickLatch);

  Button(false);
  EXPECT_EQ(Run([] { return RunEndScreen(true); }), STATE_CONTINUE);
  EXPECT_EQ(frames_, 1);
}

TEST_F(ScreensTest, EscapeQuitsFromTheMenuAndLeadsToTheMenuFromEndScreens) {
  At(2, [] { Key(kEscape, true); });
  EXPECT_EQ(Run(RunMenuScreen), STATE_QUIT);
  EXPECT_EQ(frames_, 3);
  Key(kEscape, false);

  for (bool lost : {false, true}) {
    At(2, [] { Key(kEscape, true); });
    EXPECT_EQ(Run([lost] { return RunEndScreen(lost); }), STATE_TO_MENU) << lost;
    EXPECT_EQ(frames_, 3);
    Key(kEscape, false);
  }
}

TEST_F(ScreensTest, EscapeHeldFromBeforeActsOnlyWhenPressedAgain) {
  Key(kEscape, true);
  At(3, [] { Key(kEscape, false); });
  At(6, [] { Key(kEscape, true); });
  EXPECT_EQ(Run([] { return RunEndScreen(false); }), STATE_TO_MENU);
  EXPECT_EQ(frames_, 7);

  // Still held, as when Escape has just ended a level: the menu must not quit the program.
  At(5, [] { Button(true); });
  At(6, [] { Button(false); });
  EXPECT_EQ(Run(RunMenuScreen), STATE_CONTINUE);
  EXPECT_EQ(frames_, 7);
}

TEST_F(ScreensTest, CloseRequestQuitsEveryScreen) {
  At(3, [this] { Close(); });
  EXPECT_EQ(Run(RunMenuScreen), STATE_QUIT);
  EXPECT_EQ(frames_, 4);
}

TEST_F(ScreensTest, EndScreenCloseRequestQuits) {
  At(3, [this] { Close(); });
  EXPECT_EQ(Run([] { return RunEndScreen(true); }), STATE_QUIT);
  EXPECT_EQ(frames_, 4);
}

TEST_F(ScreensTest, CloseWinsOverEscapeAndEscapeOverAClick) {
  At(1, [] { Button(true); });
  At(3, [] {
    Button(false);
    Key(kEscape, true);
  });
  EXPECT_EQ(Run([] { return RunEndScreen(false); }), STATE_TO_MENU);
  EXPECT_EQ(frames_, 4);
  Key(kEscape, false);

  At(1, [] { Button(true); });
  At(3, [this] {
    Button(false);
    Key(kEscape, true);
    Close();
  });
  EXPECT_EQ(Run([] { return RunEndScreen(false); }), STATE_QUIT);
  EXPECT_EQ(frames_, 4);
}

TEST_F(ScreensTest, HeldFShowsTheFrameRateInTheTitle) {
  At(100, [] { Key(kEscape, true); });
  Run(RunMenuScreen);
  EXPECT_TRUE(window_->titles.empty()) << "nothing is counted while F is up";

  Key(kEscape, false);
  Key(kF, true);
  At(150, [] { Key(kEscape, true); });
  Run(RunMenuScreen);
  ASSERT_FALSE(window_->titles.empty());
  std::smatch match;
  ASSERT_TRUE(std::regex_match(window_->titles.back(), match, std::regex(" (\\d+) FPS")))
      << window_->titles.back();
  // The window holds 16 ms a frame.
  EXPECT_EQ(std::stoi(match[1]), g_fps);
  EXPECT_GE(g_fps, 55);
  EXPECT_LE(g_fps, 63);
}

// UpdateFps called directly, one call a frame, with the clock moved by hand.
class FrameRateTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::UseManualClock(1'000'000'000, 0);
    // Ends whatever second a previous test began: the count starts at 0 from now on.
    int ignored = 0;
    UpdateFps(nullptr, &ignored, false, 0, INT_MAX);
    platform::AdvanceClock(1'000'000);
    UpdateFps(nullptr, &ignored, false, 0, INT_MAX);
  }
  void TearDown() override { platform::UseRealClock(); }

  // count frames spread evenly over the microseconds.
  void Frames(int count, uint64_t microseconds, int min, int max) {
    for (int i = 1; i <= count; ++i) {
      platform::AdvanceClock(microseconds * i / count - microseconds * (i - 1) / count);
      UpdateFps(&window_, &fps_, true, min, max);
    }
  }

  TitleRecordingWindow window_;
  int fps_ = -1;
};

TEST_F(FrameRateTest, SixtyFramesInASecondShowSixty) {
  Frames(59, 983'333, 5, 500);
  EXPECT_TRUE(window_.titles.empty()) << "less than a second";
  EXPECT_EQ(fps_, -1);
  Frames(1, 16'667, 5, 500);
  EXPECT_EQ(fps_, 60);
  EXPECT_EQ(window_.titles, std::vector<std::string>{" 60 FPS"});

  Frames(60, 1'000'000, 5, 500);
  EXPECT_EQ(window_.titles.size(), 2u) << "the count started again";
  EXPECT_EQ(fps_, 60);
}

TEST_F(FrameRateTest, RatesAreHeldBetweenMinimumAndMaximum) {
  Frames(3, 1'000'000, 5, 500);
  EXPECT_EQ(fps_, 5);
  Frames(700, 1'000'000, 5, 500);
  EXPECT_EQ(fps_, 500);
  EXPECT_EQ(window_.titles, (std::vector<std::string>{" 5 FPS", " 500 FPS"}));
}

TEST_F(FrameRateTest, OnlyCalledFramesCountHoweverLongTheGap) {
  Frames(10, 0, 1, 500);
  platform::AdvanceClock(5'000'000);
  Frames(1, 0, 1, 500);
  EXPECT_EQ(fps_, 11);
}

TEST_F(FrameRateTest, WithoutTitleOnlyTheRateIsStored) {
  int fps = 0;
  for (int i = 0; i < 30; ++i) {
    platform::AdvanceClock(40'000);
    UpdateFps(&window_, &fps, false, 5, 500);
  }
  EXPECT_EQ(fps, 25);
  EXPECT_TRUE(window_.titles.empty());
}

// The smoothed frame time: each call weighs the time since the previous call once and the
// smoothed value twice, so steady 30 ms frames bring it down to 30 from any larger value.
TEST(FrameTimeTest, SmoothsTowardTheSteadyFrameTime) {
  platform::UseManualClock(3'000'000'000, 0);
  TitleRecordingWindow window;
  platform::AdvanceClock(10'000'000);
  uint32_t first = UpdateFrameTime(&window, false);
  EXPECT_GE(first, 3333u) << "ten seconds since any earlier call";
  platform::AdvanceClock(30'000);
  uint32_t second = UpdateFrameTime(&window, false);
  EXPECT_EQ(second, (30 + 2 * uint64_t{first}) / 3);
  EXPECT_TRUE(window.titles.empty());
  for (int i = 0; i < 40; ++i) {
    platform::AdvanceClock(30'000);
    UpdateFrameTime(&window, true);
  }
  EXPECT_EQ(UpdateFrameTime(&window, true), 20u) << "no time passed: (0 + 2 x 30) / 3";
  EXPECT_EQ(window.titles.back(), "FT 20");
  EXPECT_EQ(window.titles[window.titles.size() - 2], "FT 30");
  platform::UseRealClock();
}

}  // namespace
