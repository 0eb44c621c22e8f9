// The swap interval a window wants (1: wait for the vertical blank, 0: don't), asked of the
// driver's wglSwapIntervalEXT only when it differs from the interval asked last.
#pragma once

#include "platform/wgl.h"

class SwapInterval {
 public:
  using Setter = BOOL(WINAPI*)(int interval);

  // The driver's entry point; null where the driver has no swap control, and nothing is asked.
  void SetSetter(Setter setter);
  // Remembered until Apply; the driver is not called here.
  void Want(int interval) { wanted_ = interval; }
  // Asks the driver for the wanted interval unless it asked for that one last. An interval the
  // driver refuses is not asked again.
  void Apply();

 private:
  static constexpr int kNoneAsked = -1;

  Setter setter_ = nullptr;
  int wanted_ = 1;
  int asked_ = kNoneAsked;
};
