// The multimedia joystick functions over a virtual joystick.
#include <gtest/gtest.h>

#include "platform/input_seams.h"
#include "platform/joystick_seams.h"
#include "platform/win32.h"
#include "window_fixture.h"

namespace {

class JoystickTest : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    ScriptedWindowTest::SetUp();
    joystick_ = platform::AttachVirtualJoystick(4, 6, 1);
    ASSERT_EQ(joystick_, 0) << "the virtual joystick is the first joystick";
  }
  void TearDown() override {
    platform::DetachVirtualJoystick(joystick_);
    ScriptedWindowTest::TearDown();
  }

  JOYINFOEX ReadAll() {
    JOYINFOEX info{};
    info.dwSize = sizeof info;
    info.dwFlags = JOY_RETURNALL;
    EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
    return info;
  }

  int joystick_ = -1;
};

TEST_F(JoystickTest, AxesSpreadOverZeroTo65535) {
  platform::SetVirtualJoystickAxis(joystick_, 0, -32768);
  platform::SetVirtualJoystickAxis(joystick_, 1, 32767);
  platform::SetVirtualJoystickAxis(joystick_, 2, 0);
  platform::SetVirtualJoystickAxis(joystick_, 3, -1);
  JOYINFOEX info = ReadAll();
  EXPECT_EQ(info.dwXpos, 0u);
  EXPECT_EQ(info.dwYpos, 65535u);
  EXPECT_EQ(info.dwZpos, 32768u);
  EXPECT_EQ(info.dwRpos, 32767u);
  EXPECT_EQ(info.dwUpos, 32767u) << "an axis the joystick lacks rests at the centre";

  JOYINFO position{};
  ASSERT_EQ(joyGetPos(JOYSTICKID1, &position), JOYERR_NOERROR);
  EXPECT_EQ(position.wXpos, 0u);
  EXPECT_EQ(position.wYpos, 65535u);
}

TEST_F(JoystickTest, TheHatIsThePointOfViewInHundredthsOfADegree) {
  EXPECT_EQ(ReadAll().dwPOV, JOY_POVCENTERED);
  platform::SetVirtualJoystickHat(joystick_, 0, platform::kHatUp);
  EXPECT_EQ(ReadAll().dwPOV, 0u);
  platform::SetVirtualJoystickHat(joystick_, 0, platform::kHatUp | platform::kHatRight);
  EXPECT_EQ(ReadAll().dwPOV, 4500u);
  platform::SetVirtualJoystickHat(joystick_, 0, platform::kHatDown);
  EXPECT_EQ(ReadAll().dwPOV, 18000u);
  platform::SetVirtualJoystickHat(joystick_, 0, platform::kHatLeft | platform::kHatUp);
  EXPECT_EQ(ReadAll().dwPOV, 31500u);
}

TEST_F(JoystickTest, ButtonsAreBitsWithTheirCount) {
  platform::SetVirtualJoystickButton(joystick_, 0, true);
  platform::SetVirtualJoystickButton(joystick_, 5, true);
  JOYINFOEX info = ReadAll();
  EXPECT_EQ(info.dwButtons, JOY_BUTTON1 | 0x20u);
  EXPECT_EQ(info.dwButtonNumber, 2u);
  JOYINFO position{};
  joyGetPos(JOYSTICKID1, &position);
  EXPECT_EQ(position.wButtons, JOY_BUTTON1) << "joyGetPos reports the first four buttons";
}

TEST_F(JoystickTest, OnlyTheAskedFieldsAreFilled) {
  platform::SetVirtualJoystickAxis(joystick_, 0, 32767);
  platform::SetVirtualJoystickButton(joystick_, 1, true);
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNBUTTONS;
  info.dwXpos = 12345;
  ASSERT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_NOERROR);
  EXPECT_EQ(info.dwButtons, JOY_BUTTON2);
  EXPECT_EQ(info.dwXpos, 12345u);
}

TEST_F(JoystickTest, BadArgumentsAndMissingJoysticksAreErrors) {
  JOYINFOEX info{};
  info.dwSize = 40;
  info.dwFlags = JOY_RETURNALL;
  EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_PARMS);
  info.dwSize = sizeof info;
  EXPECT_EQ(joyGetPosEx(JOYSTICKID2, &info), JOYERR_UNPLUGGED);
  EXPECT_EQ(joyGetPosEx(5000, &info), JOYERR_PARMS);
  EXPECT_EQ(joyGetPosEx(JOYSTICKID1, nullptr), JOYERR_PARMS);
  EXPECT_EQ(joyGetPos(JOYSTICKID2, nullptr), JOYERR_PARMS);
}

TEST_F(JoystickTest, CaptureNeedsAWindowAndAJoystickAndHappensOnce) {
  HWND window = MakeWindow();
  EXPECT_EQ(joySetCapture(nullptr, JOYSTICKID1, 0, FALSE), JOYERR_PARMS);
  EXPECT_EQ(joySetCapture(window, JOYSTICKID2, 0, FALSE), JOYERR_UNPLUGGED);
  EXPECT_EQ(joySetCapture(window, JOYSTICKID1, 0, FALSE), JOYERR_NOERROR);
  EXPECT_EQ(joySetCapture(window, JOYSTICKID1, 0, FALSE), JOYERR_NOCANDO);
  EXPECT_EQ(joyReleaseCapture(JOYSTICKID1), JOYERR_NOERROR);
  EXPECT_EQ(joySetCapture(window, JOYSTICKID1, 0, FALSE), JOYERR_NOERROR);
  joyReleaseCapture(JOYSTICKID1);
}

TEST_F(JoystickTest, AnUnpluggedJoystickCanNoLongerBeRead) {
  platform::DetachVirtualJoystick(joystick_);
  JOYINFOEX info{};
  info.dwSize = sizeof info;
  info.dwFlags = JOY_RETURNALL;
  EXPECT_EQ(joyGetPosEx(JOYSTICKID1, &info), JOYERR_UNPLUGGED);
  joystick_ = -1;
}

}  // namespace
