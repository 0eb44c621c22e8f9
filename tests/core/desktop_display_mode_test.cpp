// Keeping the desktop's display mode across the changes of a full-screen window, on the headless
// display's own display modes.
#include "DesktopDisplayMode.h"

#include <gtest/gtest.h>

#include <vector>

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

// Each row runs its steps from the desktop's mode (32 bits) and ends at a colour depth; a step
// either goes through the keeper, or changes the display behind its back to see whether a
// restore touches it.
TEST_F(DesktopDisplayModeTest, ARestoreReturnsOnceToTheModeBeforeTheFirstChange) {
  enum Kind { kChange, kChangeBehind, kRestore };
  constexpr DWORD kRefused = 7;  // a depth the display does not offer
  struct Step {
    Kind kind;
    DWORD bits;
  };
  const struct {
    const char* what;
    std::vector<Step> steps;
    DWORD endBits;
  } rows[] = {
      {"back to the mode before the first of two changes",
       {{kChange, 16}, {kChange, 24}, {kRestore, 0}},
       32},
      {"nothing done without a change in effect", {{kChangeBehind, 16}, {kRestore, 0}}, 16},
      {"nothing done by a second restore",
       {{kChange, 8}, {kRestore, 0}, {kChangeBehind, 24}, {kRestore, 0}},
       24},
      {"the mode saved again by a change after a restore",
       {{kChange, 16}, {kRestore, 0}, {kChangeBehind, 24}, {kChange, 16}, {kRestore, 0}},
       24},
      {"nothing to restore after a refused change",
       {{kChange, kRefused}, {kChangeBehind, 16}, {kRestore, 0}},
       16},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    for (const Step& step : row.steps) {
      DEVMODEA mode = Depth(step.bits);
      if (step.kind == kChangeBehind) {
        ASSERT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
      } else if (step.kind == kRestore) {
        EXPECT_EQ(DesktopDisplayMode::Restore(), DISP_CHANGE_SUCCESSFUL);
      } else {
        // At the desktop's own frequency, so that only a refused depth is refused.
        mode.dmFields |= DM_DISPLAYFREQUENCY;
        mode.dmDisplayFrequency = desktop_.dmDisplayFrequency;
        EXPECT_EQ(DesktopDisplayMode::Change(mode),
                  step.bits == kRefused ? DISP_CHANGE_BADMODE : DISP_CHANGE_SUCCESSFUL);
      }
    }
    DEVMODEA after = Current();
    EXPECT_EQ(after.dmBitsPerPel, row.endBits);
    EXPECT_EQ(after.dmPelsWidth, desktop_.dmPelsWidth);
    EXPECT_EQ(after.dmDisplayFrequency, desktop_.dmDisplayFrequency);
    ChangeDisplaySettingsA(nullptr, 0);
  }
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

}  // namespace
