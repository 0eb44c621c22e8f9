// The desktop's display mode while a window changes it: the mode in effect before the first
// change is saved, and a restore returns to it once. One for the process, as the display is.
#pragma once

#include "platform/win32_display.h"

class DesktopDisplayMode {
 public:
  // Changes the display mode for a full-screen window, saving the mode in effect first unless a
  // change is in effect already. When the display refuses a mode that names a frequency, the
  // same mode at any frequency is tried once more. DISP_CHANGE_SUCCESSFUL, or the refusal of the
  // last try.
  static LONG Change(DEVMODEA mode);

  // Returns to the saved mode; DISP_CHANGE_SUCCESSFUL and nothing done when no change is in
  // effect. After a restore the next change saves the mode again. A refused restore keeps the
  // change in effect, so that a later restore tries again.
  static LONG Restore();
};
