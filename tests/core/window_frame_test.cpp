// The game window's frame: its class, its two styles and where it stands on the screen, on the
// headless display.
#include "WindowFrame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "platform/input_seams.h"
#include "window_fixture.h"

namespace {

constexpr int16_t kClientWidth = 240;
constexpr int16_t kClientHeight = 130;
// Windowed: a caption, a system menu and a minimise box, no maximise box, no sizing border.
constexpr DWORD kWindowed = 0x10CA0000;
constexpr DWORD kFullScreen = 0x90000000;

std::vector<UINT> g_messages;

LRESULT CALLBACK GameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_messages.push_back(message);
  return DefWindowProcA(window, message, wParam, lParam);
}

class WindowFrameTest : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ScriptedWindowTest::SetUp();
    WindowFrame::RegisterWindowClass("frame test", GameProcedure, BLACK_BRUSH);
    g_messages.clear();
  }

  HWND Create(bool fullScreen) {
    HWND window =
        WindowFrame::Create("frame test", "title", fullScreen, kClientWidth, kClientHeight);
    if (window) windows_.push_back(window);
    return window;
  }

  static POINT ClientCorner(HWND window) {
    POINT corner{0, 0};
    ClientToScreen(window, &corner);
    return corner;
  }

  // Where the client area of a centred windowed frame starts on the screen.
  static POINT CentredClientCorner() {
    RECT frame;
    SetRect(&frame, 0, 0, kClientWidth, kClientHeight);
    AdjustWindowRect(&frame, kWindowed, FALSE);
    LONG outerWidth = frame.right - frame.left, outerHeight = frame.bottom - frame.top;
    return {(GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2 - frame.left,
            (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2 - frame.top};
  }

  static void ExpectClientSize(HWND window) {
    RECT client;
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right - client.left, kClientWidth);
    EXPECT_EQ(client.bottom - client.top, kClientHeight);
  }
};

TEST_F(WindowFrameTest, EachModeHasItsStyleAroundTheClientSizeInItsPlace) {
  HWND restyled = Create(false);
  ASSERT_NE(restyled, nullptr);
  auto restyle = [&](bool fullScreen) {
    return [&, fullScreen] {
      WindowFrame::Restyle(restyled, fullScreen, kClientWidth, kClientHeight);
      return restyled;
    };
  };
  const POINT centred = CentredClientCorner();
  const struct {
    const char* how;
    std::function<HWND()> make;
    DWORD style;
    POINT corner;
  } rows[] = {
      {"made windowed", [&] { return Create(false); }, kWindowed, centred},
      // Centred too, without a frame around the client area.
      {"made full screen",
       [&] { return Create(true); },
       kFullScreen,
       {(GetSystemMetrics(SM_CXSCREEN) - kClientWidth) / 2,
        (GetSystemMetrics(SM_CYSCREEN) - kClientHeight) / 2}},
      {"restyled full screen", restyle(true), kFullScreen, {0, 0}},
      {"restyled windowed", restyle(false), kWindowed, centred},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.how);
    HWND window = row.make();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(DWORD(GetWindowLongA(window, GWL_STYLE)), row.style);
    ExpectClientSize(window);
    POINT corner = ClientCorner(window);
    EXPECT_EQ(corner.x, row.corner.x);
    EXPECT_EQ(corner.y, row.corner.y);
  }
}

TEST_F(WindowFrameTest, TheClassCarriesTheProcedureAndDoubleClicks) {
  HWND window = Create(false);
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOW);
  platform::ScriptForeground(window);
  DispatchAll();
  POINT corner = ClientCorner(window);
  platform::ScriptCursor(corner.x + 10, corner.y + 10);
  for (int click = 0; click < 2; ++click) {
    platform::ScriptMouseButton(VK_LBUTTON, true);
    platform::ScriptMouseButton(VK_LBUTTON, false);
  }
  DispatchAll();
  EXPECT_NE(std::find(g_messages.begin(), g_messages.end(), WM_LBUTTONDBLCLK), g_messages.end());
}

TEST_F(WindowFrameTest, ANameKeepsItsFirstRegistrationAndAnUnregisteredOneMakesNoWindow) {
  WindowFrame::RegisterWindowClass("frame test", DefWindowProcA, NULL_BRUSH);
  HWND window = Create(false);
  ASSERT_NE(window, nullptr);
  SendMessageA(window, WM_USER, 0, 0);
  EXPECT_NE(std::find(g_messages.begin(), g_messages.end(), WM_USER), g_messages.end());
  EXPECT_EQ(WindowFrame::Create("no such frame", "title", false, kClientWidth, kClientHeight),
            nullptr);
}

}  // namespace
