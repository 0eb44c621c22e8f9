// The end of a flip that both window variants share: the screenshot hotkey and one message
// (ProcessEvents), the minimised wait, the frame limiter and the inactive wait. Each variant
// presents its frame, then calls these in its own order.
#pragma once

#include <cstdint>

class KWindow;

// One per window variant, process-wide.
struct WindowFlipState {
  uint32_t lastFlip = 0;  // KMiscTools::GetMilliseconds at the end of the last flip
  int screenshotCount = 0;
};

class WindowFlip {
 public:
  // Left Shift + Print Screen saves "screenshot<n>.tga" in the program folder through the
  // window's SaveBackBuffer, once, and waits for both keys to be released; then at most one
  // pending message is dispatched.
  static void ProcessEvents(KWindow* window, WindowFlipState* state);

  // Whether the screenshot keys are held, so that the next ProcessEvents saves a screenshot;
  // nothing is saved or waited for. A window whose frame is gone once it is presented reads the
  // frame before presenting while this is true, and serves that SaveBackBuffer call from it.
  static bool IsScreenshotHotkeyHeld();

  // SetMaxFrameRate: 1000 / fps milliseconds per frame, 0 (no limit) for fps <= 0.
  static uint32_t MillisecondsPerFrame(int fps);

  // Spins until millisecondsPerFrame have passed since the last flip when t0 (taken before the
  // frame was presented) is within the slot; then records the end of this flip.
  static void LimitFrameRate(WindowFlipState* state, uint32_t t0, uint32_t millisecondsPerFrame);

  // Dispatch messages while the window is minimised (or, for the second, not in front). Both
  // end when the window is gone, its quit flag is set or the message queue ends (WM_QUIT, which
  // is posted again for the application's own loop, or an error). A wait that starts while
  // another one runs (a repaint dispatched inside it flips again) returns at once.
  static void WaitWhileMinimized(KWindow* window);
  static void WaitWhileInactive(KWindow* window);
};
