// The end of a flip both window variants share: screenshot hotkey, one message a frame, the frame
// limiter and the waits while minimised or in the background, with the manual clock and
// scripted input.
#include "WindowFlip.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KGraphic.h"
#include "KInput.h"
#include "KMiscTools.h"
#include "KWindow.h"
#include "platform/clock.h"
#include "platform/input_seams.h"
#include "window_fixture.h"

namespace {

struct SavedScreenshot {
  std::string path;
  int format;
  int width;
  int height;
};

// A window that records what the shared flip code asks of it.
class RecordingWindow : public KWindow {
 public:
  explicit RecordingWindow(HWND handle) : handle_(handle) {}

  void SetDefaultWorldView() override {}
  void SetWorldView(float, float, float, float, bool) override {}
  void SetClearColor(float, float, float, float) override {}
  bool CreateGameWindow(int16_t, int16_t, int16_t, bool, const char*) override { return true; }
  void Terminate() override { quit_ = true; }
  void SetFullScreen(bool) override {}
  bool HasFocus() override { return GetForegroundWindow() == handle_; }
  void SetTitle(const char*) override {}
  void FlipBackBuffer(bool, bool) override {}
  void ProcessEvents() override {}
  bool IsQuit() override { return quit_; }
  HWND GetWindowHandle() override { return handle_; }
  void SetMaxFrameRate(int) override {}
  bool GetTextureRectangleSupport() override { return true; }
  bool IsHardwareAccelerated() override { return true; }
  void SetTextureRectangle(bool) override {}
  void SetFade(float) override {}
  int16_t GetWidth() override { return 0; }
  int16_t GetHeight() override { return 0; }
  void Show() override {}
  void Minimize() override {}
  void SetSoftwareCursor(bool) override {}
  bool SaveBackBuffer(const char* path, int format, int width, int height) override {
    saved.push_back({path, format, width, height});
    return true;
  }
  void SetMessageCallback(MessageHandler) override {}
  void SetEventCallback(EventHandler) override {}

  std::vector<SavedScreenshot> saved;

 private:
  HWND handle_;
  bool quit_ = false;
};

class WindowFlipTest : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ScriptedWindowTest::SetUp();
    handle_ = MakeWindow();
    KInput::Init(handle_);
    window_ = std::make_unique<RecordingWindow>(handle_);
  }
  void TearDown() override {
    platform::UseRealClock();
    ScriptedWindowTest::TearDown();
  }

  HWND handle_ = nullptr;
  std::unique_ptr<RecordingWindow> window_;
};

TEST(FrameRateTest, FramesPerSecondBecomeWholeMillisecondsPerFrame) {
  EXPECT_EQ(WindowFlip::MillisecondsPerFrame(60), 16u);
  EXPECT_EQ(WindowFlip::MillisecondsPerFrame(1), 1000u);
  EXPECT_EQ(WindowFlip::MillisecondsPerFrame(1000), 1u);
  EXPECT_EQ(WindowFlip::MillisecondsPerFrame(1001), 0u) << "no limit";
  EXPECT_EQ(WindowFlip::MillisecondsPerFrame(0), 0u);
  EXPECT_EQ(WindowFlip::MillisecondsPerFrame(-5), 0u);
}

class FrameLimiterTest : public testing::Test {
 protected:
  // The clock at 10 s; every reading moves it on by a tenth of a millisecond.
  void SetUp() override {
    platform::UseManualClock(10000000, 100);
    KMiscTools::InitTimer();
    state_.lastFlip = KMiscTools::GetMilliseconds();
  }
  void TearDown() override { platform::UseRealClock(); }

  WindowFlipState state_;
};

TEST_F(FrameLimiterTest, AQuickFrameIsHeldUntilItsSlotHasPassed) {
  uint32_t start = state_.lastFlip;
  platform::AdvanceClock(5000);
  WindowFlip::LimitFrameRate(&state_, KMiscTools::GetMilliseconds(), 16);
  EXPECT_GE(state_.lastFlip - start, 16u);
  EXPECT_LE(state_.lastFlip - start, 17u);
}

TEST_F(FrameLimiterTest, ASlowFrameIsNotDelayedFurtherButStillRecorded) {
  platform::AdvanceClock(40000);
  uint32_t t0 = KMiscTools::GetMilliseconds();
  platform::AdvanceClock(3000);
  WindowFlip::LimitFrameRate(&state_, t0, 16);
  EXPECT_GE(state_.lastFlip - t0, 3u);
  EXPECT_LE(state_.lastFlip - t0, 4u) << "the end of this flip, with no wait added";
}

TEST_F(FrameLimiterTest, WithoutALimitTheFlipIsOnlyRecorded) {
  uint32_t start = state_.lastFlip;
  WindowFlip::LimitFrameRate(&state_, start, 0);
  EXPECT_LE(state_.lastFlip - start, 1u);
}

TEST_F(FrameLimiterTest, TheLimiterReckonsAcrossTheClocksWrap) {
  platform::UseManualClock((uint64_t{1} << 32) * 1000 - 4000, 100);
  KMiscTools::InitTimer();
  state_.lastFlip = KMiscTools::GetMilliseconds();
  WindowFlip::LimitFrameRate(&state_, KMiscTools::GetMilliseconds(), 16);
  EXPECT_LT(state_.lastFlip, 100u) << "past the wrap of the 32-bit milliseconds";
  EXPECT_GE(state_.lastFlip + 4, 16u);
}

TEST_F(WindowFlipTest, ProcessEventsDispatchesOneMessageACall) {
  PostMessageA(handle_, WM_USER, 1, 0);
  PostMessageA(handle_, WM_USER, 2, 0);
  WindowFlipState state;
  WindowFlip::ProcessEvents(window_.get(), &state);
  EXPECT_EQ(Received(WM_USER).size(), 1u);
  WindowFlip::ProcessEvents(window_.get(), &state);
  EXPECT_EQ(Received(WM_USER).size(), 2u);
  EXPECT_TRUE(window_->saved.empty());
}

TEST_F(WindowFlipTest, ShiftAndPrintScreenSaveOneNumberedScreenshotAndWaitForBothKeys) {
  WindowFlipState state;
  int pumps = 0;
  platform::SetInputPumpHook([&] {
    ++pumps;
    if (pumps == 3) platform::ScriptKey(VK_SNAPSHOT, false);
    if (pumps == 6) platform::ScriptKey(VK_LSHIFT, false);
  });
  platform::ScriptKey(VK_LSHIFT, true);
  platform::ScriptKey(VK_SNAPSHOT, true);
  WindowFlip::ProcessEvents(window_.get(), &state);
  ASSERT_EQ(window_->saved.size(), 1u);
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_LSHIFT)) << "returned only once both keys were up";
  const SavedScreenshot& shot = window_->saved[0];
  std::string folder = KMiscTools::GetAppFolder();
  EXPECT_EQ(shot.path, folder + "\\screenshot1.tga");
  EXPECT_EQ(shot.format, K_IMAGE_TGA);
  EXPECT_EQ(shot.width, 0);
  EXPECT_EQ(shot.height, 0);

  platform::SetInputPumpHook(nullptr);
  WindowFlip::ProcessEvents(window_.get(), &state);
  EXPECT_EQ(window_->saved.size(), 1u) << "nothing more while the keys are up";
  platform::ScriptKey(VK_LSHIFT, true);
  platform::ScriptKey(VK_SNAPSHOT, true);
  platform::SetInputPumpHook([] {
    platform::ScriptKey(VK_SNAPSHOT, false);
    platform::ScriptKey(VK_LSHIFT, false);
  });
  WindowFlip::ProcessEvents(window_.get(), &state);
  ASSERT_EQ(window_->saved.size(), 2u);
  EXPECT_EQ(window_->saved[1].path, folder + "\\screenshot2.tga");
}

TEST_F(WindowFlipTest, EachVariantCountsItsOwnScreenshotsFromOne) {
  WindowFlipState first;
  WindowFlipState second;
  platform::SetInputPumpHook([] {
    platform::ScriptKey(VK_SNAPSHOT, false);
    platform::ScriptKey(VK_LSHIFT, false);
  });
  for (WindowFlipState* state : {&first, &first, &second}) {
    platform::ScriptKey(VK_LSHIFT, true);
    platform::ScriptKey(VK_SNAPSHOT, true);
    WindowFlip::ProcessEvents(window_.get(), state);
  }
  ASSERT_EQ(window_->saved.size(), 3u);
  EXPECT_NE(window_->saved[1].path.find("screenshot2.tga"), std::string::npos);
  EXPECT_NE(window_->saved[2].path.find("screenshot1.tga"), std::string::npos);
}

TEST_F(WindowFlipTest, TheHotkeyIsHeldWithBothKeysAndAskingTakesNoShot) {
  struct Case {
    bool shift, printScreen, held;
  } cases[] = {
      {false, false, false}, {true, false, false}, {false, true, false}, {true, true, true}};
  for (const Case& c : cases) {
    platform::ScriptKey(VK_LSHIFT, c.shift);
    platform::ScriptKey(VK_SNAPSHOT, c.printScreen);
    EXPECT_EQ(WindowFlip::IsScreenshotHotkeyHeld(), c.held)
        << "shift " << c.shift << ", print screen " << c.printScreen;
  }
  EXPECT_TRUE(window_->saved.empty());
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_PRINTSCREEN)) << "nothing waited for the keys";
}

// A window whose frame is gone once presented (as after a swap that exchanges buffers): before
// presenting it keeps the frame for the hotkey's screenshot, and serves ProcessEvents from it.
class KeepingWindow : public RecordingWindow {
 public:
  using RecordingWindow::RecordingWindow;

  void FlipBackBuffer(bool, bool) override {
    if (WindowFlip::IsScreenshotHotkeyHeld()) kept_ = frame_;
    ++frame_;  // presented: what the back buffer holds now is not this frame
    WindowFlip::ProcessEvents(this, &state_);
    kept_ = kNone;
  }
  bool SaveBackBuffer(const char* path, int format, int width, int height) override {
    served.push_back(kept_ != kNone ? kept_ : frame_);
    return RecordingWindow::SaveBackBuffer(path, format, width, height);
  }

  std::vector<int> served;  // the frame each screenshot showed

 private:
  static constexpr int kNone = -1;
  WindowFlipState state_;
  int frame_ = 0;
  int kept_ = kNone;
};

TEST_F(WindowFlipTest, AWindowServesTheHotkeysScreenshotFromTheFrameItKept) {
  KeepingWindow window(handle_);
  window.FlipBackBuffer(false, false);
  platform::ScriptKey(VK_LSHIFT, true);
  platform::ScriptKey(VK_SNAPSHOT, true);
  platform::SetInputPumpHook([] {
    platform::ScriptKey(VK_SNAPSHOT, false);
    platform::ScriptKey(VK_LSHIFT, false);
  });
  window.FlipBackBuffer(false, false);
  window.FlipBackBuffer(false, false);
  EXPECT_EQ(window.served, std::vector<int>{1}) << "one shot, of the second frame";
  EXPECT_EQ(window.saved.size(), 1u);
}

TEST_F(WindowFlipTest, AMinimisedWindowDispatchesMessagesUntilRestored) {
  ShowWindow(handle_, SW_MINIMIZE);
  int pumps = 0;
  platform::SetInputPumpHook([&] {
    ++pumps;
    PostMessageA(handle_, WM_USER, 0, 0);
    if (pumps == 4) ShowWindow(handle_, SW_RESTORE);
  });
  WindowFlip::WaitWhileMinimized(window_.get());
  EXPECT_FALSE(IsIconic(handle_));
  EXPECT_EQ(Received(WM_USER).size(), 4u)
      << "each message of the wait was dispatched, the one that came with the restore too";
}

TEST_F(WindowFlipTest, TheMinimisedWaitEndsOnTheQuitFlag) {
  ShowWindow(handle_, SW_MINIMIZE);
  int pumps = 0;
  platform::SetInputPumpHook([&] {
    PostMessageA(handle_, WM_USER, 0, 0);
    if (++pumps == 2) window_->Terminate();
  });
  WindowFlip::WaitWhileMinimized(window_.get());
  EXPECT_TRUE(IsIconic(handle_));
  EXPECT_EQ(pumps, 2);
}

TEST_F(WindowFlipTest, TheMinimisedWaitEndsWhenTheWindowIsDestroyed) {
  ShowWindow(handle_, SW_MINIMIZE);
  platform::SetInputPumpHook([&] { PostMessageA(handle_, WM_CLOSE, 0, 0); });
  WindowFlip::WaitWhileMinimized(window_.get());
  EXPECT_FALSE(IsWindow(handle_));
}

TEST_F(WindowFlipTest, TheMinimisedWaitEndsOnQuitAndLeavesTheQuitForTheApplication) {
  ShowWindow(handle_, SW_MINIMIZE);
  PostQuitMessage(9);
  WindowFlip::WaitWhileMinimized(window_.get());
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 9u);
}

TEST_F(WindowFlipTest, TheMinimisedWaitEndsWhenNoMessageCanCome) {
  ShowWindow(handle_, SW_MINIMIZE);
  WindowFlip::WaitWhileMinimized(window_.get());
  EXPECT_TRUE(IsIconic(handle_));
}

TEST_F(WindowFlipTest, AWindowInTheBackgroundWaitsUntilItIsInFrontAgain) {
  platform::ScriptForeground(nullptr);
  int pumps = 0;
  platform::SetInputPumpHook([&] {
    PostMessageA(handle_, WM_USER, 0, 0);
    if (++pumps == 3) platform::ScriptForeground(handle_);
  });
  WindowFlip::WaitWhileInactive(window_.get());
  EXPECT_EQ(GetForegroundWindow(), handle_);
  auto activations = Received(WM_ACTIVATEAPP);
  ASSERT_EQ(activations.size(), 1u) << "the deactivation, dispatched in the wait";
  EXPECT_EQ(activations[0].wParam, static_cast<WPARAM>(FALSE));
  EXPECT_EQ(Received(WM_USER).size(), 2u) << "the wait ended at the reactivation";
}

TEST_F(WindowFlipTest, AWindowInFrontDoesNotWait) {
  int pumps = 0;
  platform::SetInputPumpHook([&] { ++pumps; });
  WindowFlip::WaitWhileInactive(window_.get());
  EXPECT_EQ(pumps, 0);
}

TEST_F(WindowFlipTest, TheInactiveWaitEndsWhenTheWindowIsClosedFromTheBackground) {
  platform::ScriptForeground(nullptr);
  platform::SetInputPumpHook([&] { window_->Terminate(); });
  WindowFlip::WaitWhileInactive(window_.get());
  EXPECT_NE(GetForegroundWindow(), handle_);
  EXPECT_TRUE(window_->IsQuit());
}

// A repaint inside the wait flips again, as the OpenGL window does for WM_PAINT.
RecordingWindow* g_repainting = nullptr;
int g_depth = 0;
int g_deepest = 0;
int g_repaints = 0;

LRESULT CALLBACK RepaintingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT || !g_repainting) return DefWindowProcA(window, message, wParam, lParam);
  ++g_repaints;
  ++g_depth;
  g_deepest = std::max(g_deepest, g_depth);
  WindowFlip::WaitWhileInactive(g_repainting);
  --g_depth;
  return 0;
}

TEST_F(WindowFlipTest, ARepaintInsideTheWaitDoesNotStartAnotherWait) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = RepaintingProcedure;
  windowClass.lpszClassName = "repainting";
  RegisterClassA(&windowClass);
  HWND handle = CreateWindowExA(0, "repainting", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(handle, nullptr);
  windows_.push_back(handle);
  ShowWindow(handle, SW_SHOW);
  DispatchAll();
  RecordingWindow window(handle);
  g_repainting = &window;
  platform::ScriptForeground(nullptr);
  DispatchAll();
  int pumps = 0;
  platform::SetInputPumpHook([&] {
    ++pumps;
    if (pumps < 5) MoveWindow(handle, 0, 0, 50 + pumps, 50, TRUE);
    if (pumps == 5) platform::ScriptForeground(handle);
  });
  WindowFlip::WaitWhileInactive(&window);
  g_repainting = nullptr;
  EXPECT_EQ(GetForegroundWindow(), handle);
  EXPECT_EQ(g_repaints, 4);
  EXPECT_EQ(g_deepest, 1);
}

}  // namespace
