// Keeping the desktop's display mode across the changes of a full-screen window, on the headless
// display's own display modes.
#include "DesktopDisplayMode.h"

#include <gtest/gtest.h>

#include "platform/input_seams.h"

namespace {

DEVMODEA Current() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  return mode;
}

DEVMODEA Depth(DWORD bits) {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_BITSPERPEL;
  mode.dmBitsPerPel = bits;
  return mode;
}

// A change made behind the keeper's back, to see whether a restore touches the display.
void ChangeDirectly(DWORD bits) {
  DEVMODEA mode = Depth(bits);
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
}

class DesktopDisplayModeTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::UseHeadlessDisplay();
    desktop_ = Current();
    ASSERT_EQ(desktop_.dmBitsPerPel, 32u);
  }
  void TearDown() override {
    DesktopDisplayMode::Restore();
    ChangeDisplaySettingsA(nullptr, 0);
  }

  DEVMODEA desktop_{};
};

TEST_F(DesktopDisplayModeTest, ARestoreReturnsToTheModeBeforeTheFirstChange) {
  ASSERT_EQ(DesktopDisplayMode::Change(Depth(16)), DISP_CHANGE_SUCCESSFUL);
  ASSERT_EQ(DesktopDisplayMode::Change(Depth(24)), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(Current().dmBitsPerPel, 24u);
  EXPECT_EQ(DesktopDisplayMode::Restore(), DISP_CHANGE_SUCCESSFUL);
  DEVMODEA after = Current();
  EXPECT_EQ(after.dmBitsPerPel, 32u) << "the desktop's, not the first change's";
  EXPECT_EQ(after.dmPelsWidth, desktop_.dmPelsWidth);
  EXPECT_EQ(after.dmDisplayFrequency, desktop_.dmDisplayFrequency);
}

TEST_F(DesktopDisplayModeTest, RestoringWithoutAChangeInEffectTouchesNothing) {
  ChangeDirectly(16);
  EXPECT_EQ(DesktopDisplayMode::Restore(), DISP_CHANGE_SUCCESSFUL) << "nothing was changed";
  EXPECT_EQ(Current().dmBitsPerPel, 16u);

  ASSERT_EQ(DesktopDisplayMode::Change(Depth(8)), DISP_CHANGE_SUCCESSFUL);
  ASSERT_EQ(DesktopDisplayMode::Restore(), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(Current().dmBitsPerPel, 16u);
  ChangeDirectly(24);
  EXPECT_EQ(DesktopDisplayMode::Restore(), DISP_CHANGE_SUCCESSFUL) << "restored once already";
  EXPECT_EQ(Current().dmBitsPerPel, 24u);
}

TEST_F(DesktopDisplayModeTest, AChangeAfterARestoreSavesTheModeAgain) {
  ASSERT_EQ(DesktopDisplayMode::Change(Depth(16)), DISP_CHANGE_SUCCESSFUL);
  ASSERT_EQ(DesktopDisplayMode::Restore(), DISP_CHANGE_SUCCESSFUL);
  ChangeDirectly(24);
  ASSERT_EQ(DesktopDisplayMode::Change(Depth(16)), DISP_CHANGE_SUCCESSFUL);
  ASSERT_EQ(DesktopDisplayMode::Restore(), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(Current().dmBitsPerPel, 24u);
}

TEST_F(DesktopDisplayModeTest, ARefusedFrequencyIsDroppedAndTheModeTriedAgain) {
  DEVMODEA mode = Depth(16);
  mode.dmFields |= DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  mode.dmPelsWidth = desktop_.dmPelsWidth;
  mode.dmPelsHeight = desktop_.dmPelsHeight;
  mode.dmDisplayFrequency = 7;
  ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_BADMODE)
      << "the display offers no 7 Hz";
  EXPECT_EQ(DesktopDisplayMode::Change(mode), DISP_CHANGE_SUCCESSFUL);
  DEVMODEA after = Current();
  EXPECT_EQ(after.dmBitsPerPel, 16u);
  EXPECT_EQ(after.dmDisplayFrequency, desktop_.dmDisplayFrequency);
  ASSERT_EQ(DesktopDisplayMode::Restore(), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(Current().dmBitsPerPel, 32u);
}

TEST_F(DesktopDisplayModeTest, ARefusedModeIsReportedAndLeavesNothingToRestore) {
  DEVMODEA mode = Depth(7);
  mode.dmFields |= DM_DISPLAYFREQUENCY;
  mode.dmDisplayFrequency = desktop_.dmDisplayFrequency;
  EXPECT_EQ(DesktopDisplayMode::Change(mode), DISP_CHANGE_BADMODE);
  EXPECT_EQ(Current().dmBitsPerPel, 32u);
  ChangeDirectly(16);
  DesktopDisplayMode::Restore();
  EXPECT_EQ(Current().dmBitsPerPel, 16u);
}

}  // namespace
