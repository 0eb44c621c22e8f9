// The input module with scripted keys, mouse and a virtual joystick.
#include "KInput.h"

#include <gtest/gtest.h>

#include "platform/input_seams.h"
#include "platform/joystick_seams.h"
#include "window_fixture.h"

namespace {

class InputTest : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ScriptedWindowTest::SetUp();
    window_ = MakeWindow();
    KInput::Init(window_);
    KInput::Reset();
  }

  HWND window_ = nullptr;
};

TEST_F(InputTest, KeyIdsFollowTheirVirtualKeys) {
  platform::ScriptKey('C', true);
  platform::ScriptKey(VK_F12, true);
  platform::ScriptKey('7', true);
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_C));
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_F12));
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_7));
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_D));
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_NUMPAD7));
  platform::ScriptKey('C', false);
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_C));
}

TEST_F(InputTest, EitherShiftKeyCountsForBothShiftIds) {
  platform::ScriptKey(VK_RSHIFT, true);
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_LSHIFT));
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_RSHIFT));
  platform::ScriptKey(VK_RSHIFT, false);
  platform::ScriptKey(VK_LCONTROL, true);
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_RCONTROL));
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_LSHIFT));
}

TEST_F(InputTest, NumberPadKeysAreTestedAsThemselvesNotAsTheKeysSharingTheirScanCodes) {
  platform::ScriptKey(VK_LEFT, true);
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_LEFT));
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_NUMPAD4));
  platform::ScriptKey(VK_LEFT, false);
  platform::ScriptKey(VK_NUMPAD4, true);
  platform::ScriptKey(VK_DIVIDE, true);
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_NUMPAD4));
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_DIVIDE));
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_LEFT));
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_OEM_2));
}

TEST_F(InputTest, PrintScreenAndClearKeepTheirOwnCodes) {
  platform::ScriptKey(VK_SNAPSHOT, true);
  platform::ScriptKey(VK_CLEAR, true);
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_PRINTSCREEN));
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_CLEAR));
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_MULTIPLY));
}

TEST_F(InputTest, KeyIdsOutsideTheTableAreNeverDown) {
  for (int key = 1; key < 256; ++key) platform::ScriptKey(key, true);
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_NONE));
  EXPECT_FALSE(KInput::IsKeyDown(-1));
  EXPECT_FALSE(KInput::IsKeyDown(101));
  EXPECT_FALSE(KInput::IsKeyDown(1 << 20));
  EXPECT_TRUE(KInput::IsKeyDown(K_KEY_PAGEDOWN));
}

TEST_F(InputTest, RangesOfKeysRunInStep) {
  for (int i = 0; i < 26; ++i) EXPECT_EQ(KInput::KeyIdFromVirtualKey('A' + i), K_KEY_A + i);
  for (int i = 0; i < 10; ++i) {
    EXPECT_EQ(KInput::KeyIdFromVirtualKey('0' + i), K_KEY_0 + i);
    EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_NUMPAD0 + i), K_KEY_NUMPAD0 + i);
  }
  for (int i = 0; i < 12; ++i) EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_F1 + i), K_KEY_F1 + i);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_OEM_1 + i), K_KEY_OEM_1 + i);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_OEM_4 + i), K_KEY_OEM_4 + i);
}

TEST_F(InputTest, VirtualKeysFindTheirKeyIds) {
  EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_LEFT), K_KEY_LEFT);
  EXPECT_EQ(KInput::KeyIdFromVirtualKey('A'), K_KEY_A);
  EXPECT_EQ(KInput::KeyIdFromVirtualKey('Z'), K_KEY_Z);
  EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_NUMPAD0), K_KEY_NUMPAD0);
  EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_LSHIFT), K_KEY_LSHIFT);
  EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_NEXT), K_KEY_PAGEDOWN);
  EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_SHIFT), K_KEY_NONE) << "an NT-family system";
  EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_CONTROL), K_KEY_NONE);
  EXPECT_EQ(KInput::KeyIdFromVirtualKey(VK_SEPARATOR), K_KEY_NONE);
  EXPECT_EQ(KInput::KeyIdFromVirtualKey(9999), K_KEY_NONE) << "the end row is no key";
}

TEST_F(InputTest, TheWheelDeltaIsReadOnceAndReplacedNotAdded) {
  KInput::SetWheelDelta(120);
  EXPECT_EQ(KInput::GetWheelDelta(), 120);
  EXPECT_EQ(KInput::GetWheelDelta(), 0);
  KInput::SetWheelDelta(-120);
  KInput::SetWheelDelta(240);
  EXPECT_EQ(KInput::GetWheelDelta(), 240);
  KInput::SetWheelDelta(-360);
  KInput::ClearWheel();
  EXPECT_EQ(KInput::GetWheelDelta(), 0);
}

TEST_F(InputTest, TheMouseIsReadAndPlacedInClientPixels) {
  platform::ScriptCursor(kX + 25, kY + 7);
  EXPECT_EQ(KInput::GetMouseX(), 25);
  EXPECT_EQ(KInput::GetMouseY(), 7);
  platform::ScriptCursor(kX - 30, kY - 1);
  EXPECT_EQ(KInput::GetMouseX(), -30);
  EXPECT_EQ(KInput::GetMouseY(), -1);
  KInput::SetMousePosition(300, 150);
  POINT screen;
  GetCursorPos(&screen);
  EXPECT_EQ(screen.x, kX + 300);
  EXPECT_EQ(screen.y, kY + 150);
}

TEST_F(InputTest, ButtonsAreReadNow) {
  platform::ScriptMouseButton(VK_RBUTTON, true);
  EXPECT_FALSE(KInput::IsLeftButtonDown());
  EXPECT_TRUE(KInput::IsRightButtonDown());
  EXPECT_FALSE(KInput::IsMiddleButtonDown());
  platform::ScriptMouseButton(VK_MBUTTON, true);
  EXPECT_TRUE(KInput::IsMiddleButtonDown());
}

TEST_F(InputTest, OneShowMouseUndoesAnyNumberOfHides) {
  KInput::HideMouse();
  KInput::HideMouse();
  KInput::HideMouse();
  EXPECT_EQ(ShowCursor(TRUE), -2) << "the first hide stopped at -1, each further one counts down";
  ShowCursor(FALSE);
  KInput::ShowMouse();
  EXPECT_EQ(ShowCursor(FALSE), -1) << "one show brought the counter back to 0";
  KInput::ShowMouse();
}

TEST_F(InputTest, ClippingHoldsTheCursorInsideTheClientArea) {
  KInput::ClipMouse(true);
  KInput::SetMousePosition(-50, 900);
  EXPECT_EQ(KInput::GetMouseX(), 0);
  EXPECT_EQ(KInput::GetMouseY(), kHeight - 1);
  KInput::ClipMouse(false);
  KInput::SetMousePosition(-50, 900);
  EXPECT_EQ(KInput::GetMouseX(), -50);
}

TEST_F(InputTest, WaitKeyReleaseKeepsMessagesFlowingUntilTheKeyIsUp) {
  platform::ScriptKey(VK_ESCAPE, true);
  int pumps = 0;
  platform::SetInputPumpHook([&] {
    if (++pumps == 2) PostMessageA(window_, WM_USER, 0, 0);
    if (pumps == 5) platform::ScriptKey(VK_ESCAPE, false);
  });
  KInput::WaitKeyRelease(K_KEY_ESCAPE);
  EXPECT_FALSE(KInput::IsKeyDown(K_KEY_ESCAPE));
  EXPECT_EQ(Received(WM_USER).size(), 1u);
  EXPECT_EQ(Received(WM_KEYDOWN).size(), 1u) << "the key press itself was dispatched";
}

TEST_F(InputTest, AJoystickThatIsNotCapturedRests) {
  EXPECT_FALSE(KInput::JoystickLeft(0));
  EXPECT_FALSE(KInput::JoystickDown(1));
  EXPECT_EQ(KInput::GetJoystickX(0, false), 32767u);
  EXPECT_EQ(KInput::GetJoystickY(1, true), 32767u);
  EXPECT_EQ(KInput::GetJoystickPOV(0), 32767u);
  EXPECT_FALSE(KInput::IsJoystickButtonDown(0, 0xFFFFFFFF));
  EXPECT_FALSE(KInput::JoystickCapture(0)) << "no joystick is plugged in";
}

TEST_F(InputTest, JoystickNumbersOtherThanZeroAndOneAreRefused) {
  int joystick = platform::AttachVirtualJoystick(2, 2, 0);
  EXPECT_FALSE(KInput::JoystickCapture(2));
  EXPECT_FALSE(KInput::JoystickCapture(static_cast<char>(-1)));
  EXPECT_EQ(KInput::GetJoystickX(2, false), 32767u);
  EXPECT_FALSE(KInput::JoystickLeft(static_cast<char>(200)));
  KInput::JoystickRelease(7);
  platform::DetachVirtualJoystick(joystick);
}

class CapturedJoystickTest : public InputTest {
 protected:
  void SetUp() override {
    InputTest::SetUp();
    joystick_ = platform::AttachVirtualJoystick(4, 4, 1);
    ASSERT_EQ(joystick_, 0);
    ASSERT_TRUE(KInput::JoystickCapture(0));
  }
  void TearDown() override {
    KInput::Reset();
    platform::DetachVirtualJoystick(joystick_);
    InputTest::TearDown();
  }
  int joystick_ = -1;
};

TEST_F(CapturedJoystickTest, DirectionsNeedTheStickAtItsEnds) {
  platform::SetVirtualJoystickAxis(joystick_, 0, -32768);
  platform::SetVirtualJoystickAxis(joystick_, 1, 32767);
  EXPECT_TRUE(KInput::JoystickLeft(0));
  EXPECT_FALSE(KInput::JoystickRight(0));
  EXPECT_TRUE(KInput::JoystickDown(0));
  EXPECT_FALSE(KInput::JoystickUp(0));
  platform::SetVirtualJoystickAxis(joystick_, 0, -32768 + 11);
  EXPECT_FALSE(KInput::JoystickLeft(0)) << "x 11 is not left";
  platform::SetVirtualJoystickAxis(joystick_, 0, 32767 - 35);
  EXPECT_FALSE(KInput::JoystickRight(0)) << "x 65500 is not right";
  platform::SetVirtualJoystickAxis(joystick_, 0, 32767 - 34);
  EXPECT_TRUE(KInput::JoystickRight(0));
}

TEST_F(CapturedJoystickTest, TheSecondStickIsZAndR) {
  platform::SetVirtualJoystickAxis(joystick_, 0, 100);
  platform::SetVirtualJoystickAxis(joystick_, 1, 200);
  platform::SetVirtualJoystickAxis(joystick_, 2, 300);
  platform::SetVirtualJoystickAxis(joystick_, 3, 400);
  EXPECT_EQ(KInput::GetJoystickX(0, false), 32868u);
  EXPECT_EQ(KInput::GetJoystickY(0, false), 32968u);
  EXPECT_EQ(KInput::GetJoystickX(0, true), 33068u);
  EXPECT_EQ(KInput::GetJoystickY(0, true), 33168u);
  platform::SetVirtualJoystickHat(joystick_, 0, platform::kHatRight);
  EXPECT_EQ(KInput::GetJoystickPOV(0), 9000u);
}

TEST_F(CapturedJoystickTest, ButtonsMatchAnyBitOfTheMask) {
  platform::SetVirtualJoystickButton(joystick_, 2, true);
  EXPECT_TRUE(KInput::IsJoystickButtonDown(0, JOY_BUTTON3));
  EXPECT_TRUE(KInput::IsJoystickButtonDown(0, JOY_BUTTON1 | JOY_BUTTON3));
  EXPECT_FALSE(KInput::IsJoystickButtonDown(0, JOY_BUTTON1 | JOY_BUTTON2));
}

TEST_F(CapturedJoystickTest, AFailedReadReportsTheRestingStateNotZeroes) {
  platform::SetVirtualJoystickAxis(joystick_, 0, -32768);
  platform::DetachVirtualJoystick(joystick_);
  joystick_ = -1;
  EXPECT_FALSE(KInput::JoystickLeft(0));
  EXPECT_EQ(KInput::GetJoystickX(0, false), 32767u);
  EXPECT_EQ(KInput::GetJoystickPOV(0), 32767u);
}

TEST_F(CapturedJoystickTest, WaitingForAButtonPumpsMessagesUntilItIsUp) {
  platform::SetVirtualJoystickButton(joystick_, 0, true);
  int pumps = 0;
  platform::SetInputPumpHook([&] {
    if (++pumps == 3) platform::SetVirtualJoystickButton(joystick_, 0, false);
  });
  KInput::WaitJoystickButtonRelease(0, JOY_BUTTON1);
  EXPECT_EQ(pumps, 3);
  EXPECT_FALSE(KInput::IsJoystickButtonDown(0, JOY_BUTTON1));
}

TEST_F(CapturedJoystickTest, CapturingAgainReleasesFirstAndResetReleasesAll) {
  EXPECT_TRUE(KInput::JoystickCapture(0));
  KInput::Reset();
  EXPECT_EQ(KInput::GetJoystickX(0, false), 32767u);
  EXPECT_FALSE(KInput::IsJoystickButtonDown(0, 0xFFFFFFFF));
  EXPECT_EQ(joySetCapture(window_, 0, 0, FALSE), JOYERR_NOERROR) << "the capture was released";
  joyReleaseCapture(0);
}

}  // namespace
