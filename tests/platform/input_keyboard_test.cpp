// Key state and the keyboard layout's virtual-key and scan-code tables.
#include <gtest/gtest.h>

#include "platform/input_seams.h"
#include "platform/win32.h"

namespace {

class KeyboardTest : public testing::Test {
 protected:
  void SetUp() override { platform::UseScriptedInput(true); }
  void TearDown() override { platform::UseScriptedInput(true); }
};

UINT RoundTrip(UINT virtualKey) {
  HKL layout = GetKeyboardLayout(0);
  return MapVirtualKeyExA(MapVirtualKeyExA(virtualKey, MAPVK_VK_TO_VSC, layout), MAPVK_VSC_TO_VK,
                          layout);
}

TEST_F(KeyboardTest, ScanCodesAreThoseOfSetOne) {
  HKL layout = GetKeyboardLayout(0);
  EXPECT_EQ(MapVirtualKeyExA(VK_ESCAPE, MAPVK_VK_TO_VSC, layout), 0x01u);
  EXPECT_EQ(MapVirtualKeyExA('A', MAPVK_VK_TO_VSC, layout), 0x1Eu);
  EXPECT_EQ(MapVirtualKeyExA(VK_LSHIFT, MAPVK_VK_TO_VSC, layout), 0x2Au);
  EXPECT_EQ(MapVirtualKeyExA(VK_RSHIFT, MAPVK_VK_TO_VSC, layout), 0x36u);
  EXPECT_EQ(MapVirtualKeyExA(VK_F12, MAPVK_VK_TO_VSC, layout), 0x58u);
  EXPECT_EQ(MapVirtualKeyExA(0xFF, MAPVK_VK_TO_VSC, layout), 0u);
  EXPECT_EQ(MapVirtualKeyExA(0x7F, MAPVK_VSC_TO_VK, layout), 0u);
}

TEST_F(KeyboardTest, BackFromTheScanCodeLeftAndRightBecomePlainAndSharedCodesPickTheMainKey) {
  EXPECT_EQ(RoundTrip('Z'), static_cast<UINT>('Z'));
  EXPECT_EQ(RoundTrip(VK_LSHIFT), static_cast<UINT>(VK_SHIFT));
  EXPECT_EQ(RoundTrip(VK_RSHIFT), static_cast<UINT>(VK_SHIFT));
  EXPECT_EQ(RoundTrip(VK_RCONTROL), static_cast<UINT>(VK_CONTROL));
  EXPECT_EQ(RoundTrip(VK_SNAPSHOT), static_cast<UINT>(VK_SNAPSHOT));
  EXPECT_EQ(RoundTrip(VK_NUMPAD4), static_cast<UINT>(VK_LEFT));
  EXPECT_EQ(RoundTrip(VK_DECIMAL), static_cast<UINT>(VK_DELETE));
  EXPECT_EQ(RoundTrip(VK_DIVIDE), static_cast<UINT>(VK_OEM_2));
  EXPECT_EQ(RoundTrip(VK_MULTIPLY), static_cast<UINT>(VK_MULTIPLY));
  EXPECT_EQ(RoundTrip(VK_NUMLOCK), static_cast<UINT>(VK_NUMLOCK));
}

TEST_F(KeyboardTest, ThePlainShiftCodeIsDownWhileEitherSideIs) {
  platform::ScriptKey(VK_RSHIFT, true);
  EXPECT_TRUE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
  EXPECT_TRUE(GetAsyncKeyState(VK_RSHIFT) & 0x8000);
  EXPECT_FALSE(GetAsyncKeyState(VK_LSHIFT) & 0x8000);
  platform::ScriptKey(VK_RSHIFT, false);
  EXPECT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
}

TEST_F(KeyboardTest, ButtonsAndKeysAreIndependentAndOddCodesAreNeverDown) {
  platform::ScriptMouseButton(VK_MBUTTON, true);
  EXPECT_TRUE(GetAsyncKeyState(VK_MBUTTON) & 0x8000);
  EXPECT_FALSE(GetAsyncKeyState(VK_LBUTTON) & 0x8000);
  EXPECT_FALSE(GetAsyncKeyState(0) & 0x8000);
  EXPECT_FALSE(GetAsyncKeyState(-3) & 0x8000);
  EXPECT_FALSE(GetAsyncKeyState(9999) & 0x8000);
}

TEST_F(KeyboardTest, SetKeyboardStateReplacesTheMessageTimeState) {
  BYTE state[256] = {};
  state[VK_CAPITAL] = 0x01;
  state['K'] = 0x80;
  ASSERT_TRUE(SetKeyboardState(state));
  EXPECT_EQ(GetKeyState(VK_CAPITAL), 1);
  EXPECT_LT(GetKeyState('K'), 0);
  BYTE cleared[256] = {};
  SetKeyboardState(cleared);
  EXPECT_EQ(GetKeyState('K'), 0);
  EXPECT_FALSE(SetKeyboardState(nullptr));
}

TEST_F(KeyboardTest, TurningScriptedInputOnStartsWithNothingHeld) {
  platform::ScriptKey('W', true);
  platform::ScriptCursor(40, 50);
  platform::UseScriptedInput(true);
  EXPECT_FALSE(GetAsyncKeyState('W') & 0x8000);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 0);
  EXPECT_EQ(cursor.y, 0);
}

}  // namespace
