// The message queue and the messages input becomes, on the headless display with scripted input.
#include <gtest/gtest.h>

#include <csignal>

#include "platform/clock.h"
#include "platform/input_seams.h"
#include "platform/win32.h"
#include "window_fixture.h"

namespace {

using MessagesTest = ScriptedWindowTest;

DWORD LParamBits(const ReceivedMessage& message) {
  return static_cast<DWORD>(message.lParam);
}

TEST_F(MessagesTest, PostedMessagesComeBackInOrderAndPeekingCanLeaveThemQueued) {
  HWND window = MakeWindow();
  PostMessageA(window, WM_USER + 1, 11, 12);
  PostMessageA(window, WM_USER + 2, 21, 22);

  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, WM_USER + 1);
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_USER + 2, WM_USER + 2, PM_REMOVE));
  EXPECT_EQ(message.wParam, 21u);
  EXPECT_EQ(message.lParam, 22);
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.message, WM_USER + 1);
  EXPECT_EQ(message.hwnd, window);
  EXPECT_FALSE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(MessagesTest, DispatchCallsTheWindowsProcedure) {
  HWND window = MakeWindow();
  PostMessageA(window, WM_USER, 7, 8);
  DispatchAll();
  auto received = Received(WM_USER);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].wParam, 7u);
  EXPECT_EQ(received[0].lParam, 8);
}

TEST_F(MessagesTest, QuitComesAfterTheQueuedMessagesAndEndsGetMessage) {
  HWND window = MakeWindow();
  PostQuitMessage(3);
  PostMessageA(window, WM_USER, 0, 0);
  MSG message;
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, WM_USER);
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 0);
  EXPECT_EQ(message.message, WM_QUIT);
  EXPECT_EQ(message.wParam, 3u);
}

TEST_F(MessagesTest, GetMessageReportsTheEndOfScriptedInputInsteadOfBlocking) {
  MakeWindow();
  MSG message;
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), -1);
  EXPECT_EQ(GetMessageA(&message, reinterpret_cast<HWND>(0x1234), 0, 0), -1);
}

TEST_F(MessagesTest, ThePumpHookRunsWhileGetMessageWaits) {
  HWND window = MakeWindow();
  int turns = 0;
  platform::SetInputPumpHook([&] {
    if (++turns == 3) PostMessageA(window, WM_USER, 0, 0);
  });
  MSG message;
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE), FALSE);
  EXPECT_EQ(GetMessageA(&message, nullptr, 0, 0), 1);
  EXPECT_EQ(message.message, WM_USER);
  EXPECT_EQ(turns, 3);
}

TEST_F(MessagesTest, MouseMovesMergeIntoOneMessageWithTheLatestPosition) {
  HWND window = MakeWindow();
  platform::ScriptCursor(kX + 10, kY + 10);
  platform::ScriptMouseButton(VK_LBUTTON, true);
  platform::ScriptCursor(kX + 20, kY + 5);
  platform::ScriptCursor(kX + 30, kY + 40);
  platform::ScriptCursor(kX + 31, kY + 41);
  DispatchAll();
  auto received = TakeReceived();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(received[0].lParam, MAKELPARAM(10, 10));
  EXPECT_EQ(received[1].message, WM_MOUSEMOVE);
  EXPECT_EQ(received[1].lParam, MAKELPARAM(31, 41));
  EXPECT_EQ(received[1].wParam, MK_LBUTTON);
  (void)window;
}

TEST_F(MessagesTest, MouseOutsideEveryWindowMakesNoMessage) {
  MakeWindow();
  platform::ScriptCursor(kX - 1, kY);
  platform::ScriptMouseButton(VK_RBUTTON, true);
  DispatchAll();
  EXPECT_TRUE(TakeReceived().empty());
  EXPECT_TRUE(GetAsyncKeyState(VK_RBUTTON) & 0x8000);
}

TEST_F(MessagesTest, QuickSecondClickIsADoubleClickOnlyForClassesThatAskForIt) {
  platform::UseManualClock(1000000);
  MakeWindow(true);
  platform::ScriptCursor(kX + 5, kY + 5);
  DispatchAll();
  TakeReceived();
  for (int i = 0; i < 3; ++i) {
    platform::ScriptMouseButton(VK_LBUTTON, true);
    platform::ScriptMouseButton(VK_LBUTTON, false);
    platform::AdvanceClock(100000);
  }
  platform::AdvanceClock(600000);
  platform::ScriptMouseButton(VK_MBUTTON, true);
  platform::ScriptMouseButton(VK_MBUTTON, false);
  platform::ScriptMouseButton(VK_MBUTTON, true);
  DispatchAll();
  std::vector<UINT> messages;
  for (const auto& received : TakeReceived()) messages.push_back(received.message);
  EXPECT_EQ(messages, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
                                         WM_LBUTTONUP, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_MBUTTONDOWN,
                                         WM_MBUTTONUP, WM_MBUTTONDBLCLK}));
  platform::UseRealClock();
}

TEST_F(MessagesTest, ClicksTooFarApartInTimeOrWithoutTheClassStyleStaySingle) {
  platform::UseManualClock(1000000);
  MakeWindow(false);
  platform::ScriptCursor(kX + 5, kY + 5);
  platform::ScriptMouseButton(VK_RBUTTON, true);
  platform::ScriptMouseButton(VK_RBUTTON, false);
  platform::ScriptMouseButton(VK_RBUTTON, true);
  DispatchAll();
  EXPECT_EQ(Received(WM_RBUTTONDOWN).size(), 2u);
  EXPECT_TRUE(Received(WM_RBUTTONDBLCLK).empty());
  platform::UseRealClock();
}

TEST_F(MessagesTest, WheelNotchesAre120EachWithTheCursorInScreenCoordinates) {
  MakeWindow();
  platform::ScriptCursor(kX + 3, kY + 4);
  platform::ScriptWheel(-2);
  platform::ScriptWheel(1);
  DispatchAll();
  auto wheel = Received(WM_MOUSEWHEEL);
  ASSERT_EQ(wheel.size(), 2u);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[0].wParam), -240);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(wheel[1].wParam), 120);
  EXPECT_EQ(wheel[0].lParam, MAKELPARAM(kX + 3, kY + 4));
}

TEST_F(MessagesTest, KeyMessagesCarryRepeatCountScanCodeAndTransitionBits) {
  MakeWindow();
  platform::ScriptKey('A', true);
  platform::ScriptKey('A', true);
  platform::ScriptKey('A', false);
  platform::ScriptKey(VK_LEFT, true);
  DispatchAll();
  auto downs = Received(WM_KEYDOWN);
  auto ups = Received(WM_KEYUP);
  ASSERT_EQ(downs.size(), 3u);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(LParamBits(downs[0]), 0x001E0001u);
  EXPECT_EQ(LParamBits(downs[1]), 0x401E0001u) << "a repeat has the previous-state bit";
  EXPECT_EQ(LParamBits(ups[0]), 0xC01E0001u);
  EXPECT_EQ(downs[2].wParam, static_cast<WPARAM>(VK_LEFT));
  EXPECT_EQ(LParamBits(downs[2]), 0x014B0001u) << "an extended key";
}

TEST_F(MessagesTest, ShiftKeysSendThePlainShiftCodeAndTheirOwnScanCodes) {
  MakeWindow();
  platform::ScriptKey(VK_RSHIFT, true);
  platform::ScriptKey(VK_LCONTROL, true);
  DispatchAll();
  auto downs = Received(WM_KEYDOWN);
  ASSERT_EQ(downs.size(), 2u);
  EXPECT_EQ(downs[0].wParam, static_cast<WPARAM>(VK_SHIFT));
  EXPECT_EQ((LParamBits(downs[0]) >> 16) & 0xFF, 0x36u);
  EXPECT_EQ(downs[1].wParam, static_cast<WPARAM>(VK_CONTROL));
  EXPECT_TRUE(GetKeyState(VK_SHIFT) & 0x8000);
  EXPECT_TRUE(GetKeyState(VK_RSHIFT) & 0x8000);
  EXPECT_FALSE(GetKeyState(VK_LSHIFT) & 0x8000);
}

TEST_F(MessagesTest, TranslateTypesLettersDigitsAndControlCharacters) {
  MakeWindow();
  platform::ScriptKey('H', true);
  platform::ScriptKey(VK_LSHIFT, true);
  platform::ScriptKey('I', true);
  platform::ScriptKey(VK_LSHIFT, false);
  platform::ScriptKey('7', true);
  platform::ScriptKey(VK_BACK, true);
  platform::ScriptKey(VK_TAB, true);
  platform::ScriptKey(VK_RETURN, true);
  platform::ScriptKey(VK_ESCAPE, true);
  platform::ScriptKey(VK_F1, true);
  platform::ScriptKey(VK_LCONTROL, true);
  platform::ScriptKey('C', true);
  DispatchAll();
  std::string typed;
  for (const auto& received : Received(WM_CHAR)) typed += static_cast<char>(received.wParam);
  EXPECT_EQ(typed, std::string("hI7\b\t\r\x1b\x03"));
}

TEST_F(MessagesTest, TheCharacterFollowsItsKeyDownAheadOfLaterMessages) {
  HWND window = MakeWindow();
  platform::ScriptKey('Q', true);
  PostMessageA(window, WM_USER, 0, 0);
  DispatchAll();
  auto received = TakeReceived();
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].message, WM_KEYDOWN);
  EXPECT_EQ(received[1].message, WM_CHAR);
  EXPECT_EQ(received[1].wParam, static_cast<WPARAM>('q'));
  EXPECT_EQ(received[1].lParam, received[0].lParam);
  EXPECT_EQ(received[2].message, WM_USER);
}

TEST_F(MessagesTest, KeysWithAltHeldAreSystemKeys) {
  MakeWindow();
  platform::ScriptKey(VK_LMENU, true);
  platform::ScriptKey('X', true);
  DispatchAll();
  auto system = Received(WM_SYSKEYDOWN);
  ASSERT_EQ(system.size(), 2u);
  EXPECT_EQ(system[0].wParam, static_cast<WPARAM>(VK_MENU));
  EXPECT_EQ(system[1].wParam, static_cast<WPARAM>('X'));
  EXPECT_TRUE(LParamBits(system[1]) & (1u << 29));
  EXPECT_TRUE(Received(WM_KEYDOWN).empty());
}

TEST_F(MessagesTest, KeysGoNowhereWhileAnotherProgramIsInFront) {
  MakeWindow();
  platform::ScriptForeground(nullptr);
  DispatchAll();
  TakeReceived();
  platform::ScriptKey('A', true);
  DispatchAll();
  EXPECT_TRUE(TakeReceived().empty());
  EXPECT_TRUE(GetAsyncKeyState('A') & 0x8000) << "the key itself is still down";
}

TEST_F(MessagesTest, ForegroundChangesPostActivateApp) {
  HWND window = MakeWindow();
  EXPECT_EQ(GetForegroundWindow(), window);
  platform::ScriptForeground(nullptr);
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  platform::ScriptForeground(window);
  DispatchAll();
  auto activations = Received(WM_ACTIVATEAPP);
  ASSERT_EQ(activations.size(), 2u);
  EXPECT_EQ(activations[0].wParam, static_cast<WPARAM>(FALSE));
  EXPECT_EQ(activations[1].wParam, static_cast<WPARAM>(TRUE));
}

TEST_F(MessagesTest, RightButtonReleaseAsksForTheContextMenuInScreenCoordinates) {
  HWND window = MakeWindow();
  platform::ScriptCursor(kX + 12, kY + 34);
  platform::ScriptMouseButton(VK_RBUTTON, true);
  platform::ScriptMouseButton(VK_RBUTTON, false);
  DispatchAll();
  auto menus = Received(WM_CONTEXTMENU);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0].wParam, reinterpret_cast<WPARAM>(window));
  EXPECT_EQ(menus[0].lParam, MAKELPARAM(kX + 12, kY + 34));
}

TEST_F(MessagesTest, DefaultCloseDestroysTheWindow) {
  HWND window = MakeWindow();
  PostMessageA(window, WM_CLOSE, 0, 0);
  PostMessageA(window, WM_USER, 0, 0);
  DispatchAll();
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Received(WM_DESTROY).size(), 1u);
  EXPECT_TRUE(Received(WM_USER).empty()) << "messages of a destroyed window are dropped";
}

TEST_F(MessagesTest, ATerminationSignalAsksEveryWindowToClose) {
  HWND first = MakeWindow();
  HWND second = MakeWindow();
  std::raise(SIGTERM);
  DispatchAll();
  EXPECT_EQ(Received(WM_CLOSE).size(), 2u);
  EXPECT_FALSE(IsWindow(first));
  EXPECT_FALSE(IsWindow(second));
}

TEST_F(MessagesTest, AShownWindowIsPaintedOnceAndNotAgainUntilInvalidated) {
  HWND window = CreateWindowExA(0, "recording", "paint", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  windows_.push_back(window);
  ShowWindow(window, SW_SHOW);
  DispatchAll();
  DispatchAll();
  EXPECT_EQ(Received(WM_PAINT).size(), 1u);
  MoveWindow(window, 0, 0, 20, 20, TRUE);
  DispatchAll();
  EXPECT_EQ(Received(WM_PAINT).size(), 2u);
}

}  // namespace
