// Windows, their frames and data, the cursor and display modes, on the headless display.
#include <gtest/gtest.h>

#include "platform/input_seams.h"
#include "platform/win32.h"
#include "window_fixture.h"

namespace {

using WindowTest = ScriptedWindowTest;

constexpr DWORD kGameWindowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

TEST_F(WindowTest, AnUnknownClassMakesNoWindowAndAClassRegistersOnce) {
  EXPECT_EQ(CreateWindowExA(0, "no such class", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.lpszClassName = "Twice";
  EXPECT_NE(RegisterClassA(&windowClass), 0);
  windowClass.lpszClassName = "TWICE";
  EXPECT_EQ(RegisterClassA(&windowClass), 0) << "class names ignore letter case";
}

TEST_F(WindowTest, TheFrameAroundACaptionedClientAreaIsAddedAndTakenOffAgain) {
  RECT rect;
  SetRect(&rect, 0, 0, 800, 600);
  AdjustWindowRect(&rect, kGameWindowStyle, FALSE);
  EXPECT_LT(rect.left, 0);
  EXPECT_LT(rect.top, rect.left) << "the caption is above the client area";
  int outerWidth = rect.right - rect.left;
  int outerHeight = rect.bottom - rect.top;

  HWND window = CreateWindowExA(0, "recording", "framed", kGameWindowStyle, 40, 30, outerWidth,
                                outerHeight, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  windows_.push_back(window);
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right, 800);
  EXPECT_EQ(client.bottom, 600);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  EXPECT_EQ(origin.x, 40 - rect.left);
  EXPECT_EQ(origin.y, 30 - rect.top);
  ScreenToClient(window, &origin);
  EXPECT_EQ(origin.x, 0);
  EXPECT_EQ(origin.y, 0);
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), kGameWindowStyle)
      << "WS_VISIBLE shows the window at creation";
}

TEST_F(WindowTest, UserDataHoldsAWholePointerAndDiesWithTheWindow) {
  HWND window = MakeWindow();
  static int object;
  LONG_PTR pointer = reinterpret_cast<LONG_PTR>(&object);
  EXPECT_EQ(SetWindowLongA(window, GWL_USERDATA, pointer), 0);
  EXPECT_EQ(GetWindowLongA(window, GWL_USERDATA), pointer);
  DestroyWindow(window);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(GetWindowLongA(window, GWL_USERDATA), 0);
  EXPECT_FALSE(DestroyWindow(window));
  HWND next = MakeWindow();
  EXPECT_NE(next, window) << "a handle is never reused";
}

TEST_F(WindowTest, EachWindowHasOneDeviceContextThatLeadsBackToIt) {
  HWND first = MakeWindow();
  HWND second = MakeWindow();
  HDC context = GetDC(first);
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(GetDC(first), context);
  EXPECT_NE(GetDC(second), context);
  EXPECT_EQ(WindowFromDC(context), first);
  EXPECT_EQ(ReleaseDC(first, context), 1);
  EXPECT_EQ(ReleaseDC(second, context), 0);
}

TEST_F(WindowTest, MinimisingAndRestoringFollowShowWindow) {
  HWND window = MakeWindow();
  EXPECT_FALSE(IsIconic(window));
  ShowWindow(window, SW_MINIMIZE);
  EXPECT_TRUE(IsIconic(window));
  ShowWindow(window, SW_SHOW);
  EXPECT_TRUE(IsIconic(window)) << "showing does not restore";
  ShowWindow(window, SW_SHOWNORMAL);
  EXPECT_FALSE(IsIconic(window));
  platform::ScriptMinimized(window, true);
  EXPECT_TRUE(GetWindowLongA(window, GWL_STYLE) & WS_MINIMIZE);
}

TEST_F(WindowTest, TheNewestShownWindowIsInFront) {
  HWND first = MakeWindow();
  HWND second = MakeWindow();
  EXPECT_EQ(GetForegroundWindow(), second);
  SetForegroundWindow(first);
  EXPECT_EQ(GetForegroundWindow(), first);
  DestroyWindow(first);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
}

TEST_F(WindowTest, TheCursorStaysInsideItsClipRectangle) {
  RECT clip{100, 100, 200, 150};
  ClipCursor(&clip);
  SetCursorPos(500, 20);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 199);
  EXPECT_EQ(cursor.y, 100);
  ClipCursor(nullptr);
  SetCursorPos(500, 20);
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 500);
}

TEST_F(WindowTest, ShowCursorCountsShowsAndHides) {
  int start = ShowCursor(TRUE) - 1;
  EXPECT_EQ(ShowCursor(FALSE), start);
  EXPECT_EQ(ShowCursor(FALSE), start - 1);
  EXPECT_EQ(ShowCursor(TRUE), start);
}

TEST_F(WindowTest, TheDisplayModeIsReadAndADepthChangeLeavesTheDesktopAlone) {
  DEVMODEA current{};
  current.dmSize = sizeof current;
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current));
  EXPECT_EQ(current.dmBitsPerPel, 32u);
  EXPECT_EQ(static_cast<int>(current.dmPelsWidth), GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(static_cast<int>(current.dmPelsHeight), GetSystemMetrics(SM_CYSCREEN));

  DEVMODEA depth{};
  depth.dmSize = sizeof depth;
  depth.dmFields = DM_BITSPERPEL | DM_DISPLAYFREQUENCY;
  depth.dmBitsPerPel = 16;
  depth.dmDisplayFrequency = current.dmDisplayFrequency;
  EXPECT_EQ(ChangeDisplaySettingsA(&depth, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  DEVMODEA after{};
  after.dmSize = sizeof after;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &after);
  EXPECT_EQ(after.dmBitsPerPel, 16u);
  EXPECT_EQ(after.dmPelsWidth, current.dmPelsWidth);
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &after);
  EXPECT_EQ(after.dmBitsPerPel, 32u);
}

TEST_F(WindowTest, ModesTheDisplayDoesNotOfferAreRefusedAndChangeNothing) {
  int width = GetSystemMetrics(SM_CXSCREEN);
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_BITSPERPEL;
  mode.dmBitsPerPel = 7;
  EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT;
  mode.dmBitsPerPel = 32;
  mode.dmPelsWidth = 123;
  mode.dmPelsHeight = 45;
  EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  mode.dmPelsWidth = static_cast<DWORD>(width);
  mode.dmPelsHeight = static_cast<DWORD>(GetSystemMetrics(SM_CYSCREEN));
  mode.dmFields |= DM_DISPLAYFREQUENCY;
  mode.dmDisplayFrequency = 7;
  EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), width);
}

TEST_F(WindowTest, APopupCoveringTheScreenAndItsWindowedReturn) {
  int width = GetSystemMetrics(SM_CXSCREEN);
  int height = GetSystemMetrics(SM_CYSCREEN);
  HWND window = MakeWindow();
  SetWindowLongA(window, GWL_STYLE, WS_POPUP | WS_VISIBLE);
  EXPECT_TRUE(MoveWindow(window, 0, 0, width, height, TRUE));
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, width);
  SetWindowLongA(window, GWL_STYLE, kGameWindowStyle);
  EXPECT_TRUE(MoveWindow(window, 10, 10, 300, 200, TRUE));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), kGameWindowStyle);
}

TEST(VersionTest, TheSystemIsOfTheNtFamilyAndTheSizeMustBeRight) {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_TRUE(GetVersionExA(&version));
  EXPECT_EQ(version.dwPlatformId, VER_PLATFORM_WIN32_NT);
  EXPECT_EQ(sizeof version, 148u);
  version.dwOSVersionInfoSize = 100;
  EXPECT_FALSE(GetVersionExA(&version));
}

}  // namespace
