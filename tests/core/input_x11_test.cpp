// A real window on an X display: input injected into the X server with xdotool is read back
// through the message queue and KInput. Without a display (or xdotool) the tests are skipped.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "KInput.h"
#include "platform/win32.h"

namespace {

std::vector<MSG> g_received;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG copy{};
  copy.hwnd = window;
  copy.message = message;
  copy.wParam = wParam;
  copy.lParam = lParam;
  g_received.push_back(copy);
  return DefWindowProcA(window, message, wParam, lParam);
}

bool Shell(const std::string& command) {
  return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

std::string Output(const std::string& command) {
  std::string text;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) text += buffer;
    pclose(pipe);
  }
  return text;
}

class RealWindowTest : public testing::Test {
 protected:
  static constexpr int kX = 200;
  static constexpr int kY = 150;

  void SetUp() override {
    const char* display = std::getenv("DISPLAY");
    if (!display || !*display)
      GTEST_SKIP() << "no X display (DISPLAY is unset); scripts/test runs these under Xvfb";
    if (!Shell("command -v xdotool")) GTEST_SKIP() << "xdotool is not installed";
    WNDCLASSA windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = Procedure;
    windowClass.lpszClassName = "real window test";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "real window test", "real", WS_POPUP, kX, kY, 320, 240, nullptr,
                              nullptr, nullptr, nullptr);
    if (!window_) GTEST_SKIP() << "the X display refused a window";
    ShowWindow(window_, SW_SHOW);
    KInput::Init(window_);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == window_; }))
        << "the window never got the keyboard";
    // The pointer moves within the window, and the tests start once the window has heard of it:
    // a click sent sooner after the window appears can be lost on the way.
    g_received.clear();
    Shell("xdotool mousemove " + std::to_string(kX + 150) + " " + std::to_string(kY + 110) +
          " mousemove " + std::to_string(kX + 160) + " " + std::to_string(kY + 120));
    ASSERT_TRUE(WaitForMessage(WM_MOUSEMOVE)) << "the pointer never reached the window";
    g_received.clear();
  }

  void TearDown() override {
    if (window_) DestroyWindow(window_);
    Shell("xdotool keyup a keyup Shift_L mouseup 3");
  }

  // Dispatches messages as they come until the condition holds; gives up after 5 s, as input
  // that the X server has not delivered by then is not coming. The wait wakes at every message, so
  // it is bounded by time, not by turns.
  template <typename Condition>
  bool WaitFor(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
      MSG message;
      while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
      }
      if (condition()) return true;
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 25, QS_ALLINPUT);
    }
    return false;
  }

  bool WaitForMessage(UINT message) {
    return WaitFor([&] {
      for (const MSG& received : g_received)
        if (received.message == message) return true;
      return false;
    });
  }

  const MSG* First(UINT message) {
    for (const MSG& received : g_received)
      if (received.message == message) return &received;
    return nullptr;
  }

  HWND window_ = nullptr;
};

TEST_F(RealWindowTest, ThePointerIsReadInClientPixels) {
  // Asked of the X server at the moment of the call, also outside the window.
  ASSERT_TRUE(
      Shell("xdotool mousemove " + std::to_string(kX + 60) + " " + std::to_string(kY + 40)));
  EXPECT_EQ(KInput::GetMouseX(), 60);
  EXPECT_EQ(KInput::GetMouseY(), 40);
  ASSERT_TRUE(Shell("xdotool mousemove 10 5"));
  EXPECT_EQ(KInput::GetMouseX(), 10 - kX);
  EXPECT_EQ(KInput::GetMouseY(), 5 - kY);
}

TEST_F(RealWindowTest, SettingTheMouseMovesTheRealPointer) {
  KInput::SetMousePosition(17, 23);
  std::string location = Output("xdotool getmouselocation");
  EXPECT_NE(location.find("x:" + std::to_string(kX + 17) + " y:" + std::to_string(kY + 23)),
            std::string::npos)
      << location;
}

TEST_F(RealWindowTest, AKeyPressIsAMessageAndAKeyThatIsDown) {
  ASSERT_TRUE(Shell("xdotool keydown a"));
  ASSERT_TRUE(WaitForMessage(WM_KEYDOWN));
  const MSG* down = First(WM_KEYDOWN);
  EXPECT_EQ(down->wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ((static_cast<DWORD>(down->lParam) >> 16) & 0xFF, 0x1Eu);
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_A));
  ASSERT_TRUE(WaitForMessage(WM_CHAR));
  EXPECT_EQ(First(WM_CHAR)->wParam, static_cast<WPARAM>('a'));

  ASSERT_TRUE(Shell("xdotool keyup a"));
  ASSERT_TRUE(WaitForMessage(WM_KEYUP));
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_A));
}

TEST_F(RealWindowTest, ShiftedLettersTypeCapitals) {
  ASSERT_TRUE(Shell("xdotool keydown Shift_L key b keyup Shift_L"));
  ASSERT_TRUE(WaitForMessage(WM_CHAR));
  EXPECT_EQ(First(WM_CHAR)->wParam, static_cast<WPARAM>('B'));
  const MSG* shift = First(WM_KEYDOWN);
  ASSERT_NE(shift, nullptr);
  EXPECT_EQ(shift->wParam, static_cast<WPARAM>(VK_SHIFT));
}

TEST_F(RealWindowTest, ClicksArriveAtTheirClientPositionAndQuickOnesAreDoubleClicks) {
  ASSERT_TRUE(Shell("xdotool mousemove " + std::to_string(kX + 100) + " " +
                    std::to_string(kY + 50) + " click --repeat 2 --delay 40 1"));
  ASSERT_TRUE(WaitFor(
      [&] { return First(WM_LBUTTONDBLCLK) && g_received.back().message == WM_LBUTTONUP; }));
  const MSG* down = First(WM_LBUTTONDOWN);
  ASSERT_NE(down, nullptr);
  EXPECT_EQ(down->lParam, MAKELPARAM(100, 50));
  EXPECT_FALSE(KInput::IsLeftButtonDown());
}

TEST_F(RealWindowTest, AHeldButtonIsDownUntilReleased) {
  ASSERT_TRUE(Shell("xdotool mousedown 3"));
  EXPECT_TRUE(KInput::IsRightButtonDown());
  EXPECT_FALSE(KInput::IsLeftButtonDown());
  ASSERT_TRUE(Shell("xdotool mouseup 3"));
  EXPECT_FALSE(KInput::IsRightButtonDown());
  ASSERT_TRUE(WaitForMessage(WM_CONTEXTMENU)) << "the release asked for the context menu";
}

TEST_F(RealWindowTest, AnotherWindowTakingTheKeyboardDeactivatesThisOne) {
  HWND other = CreateWindowExA(0, "real window test", "other", WS_POPUP, 600, 500, 100, 100,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  ShowWindow(other, SW_SHOW);
  bool moved = WaitFor([&] { return GetForegroundWindow() == other; });
  bool told = WaitFor([&] {
    for (const MSG& received : g_received)
      if (received.hwnd == window_ && received.message == WM_ACTIVATEAPP) return true;
    return false;
  });
  DestroyWindow(other);
  ASSERT_TRUE(moved);
  ASSERT_TRUE(told);
  bool deactivated = false;
  for (const MSG& received : g_received)
    if (received.hwnd == window_ && received.message == WM_ACTIVATEAPP)
      deactivated = received.wParam == FALSE;
  EXPECT_TRUE(deactivated);
}

TEST_F(RealWindowTest, TheWheelIs120ANotch) {
  ASSERT_TRUE(Shell("xdotool click 5"));
  ASSERT_TRUE(WaitForMessage(WM_MOUSEWHEEL));
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(First(WM_MOUSEWHEEL)->wParam), -120);
}

}  // namespace
