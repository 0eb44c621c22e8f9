// Failure injection for the pixel format and rendering context calls. Off by default.
#pragma once

namespace platform {

// The calls that failure injection can make fail.
enum class WglStep {
  kChoosePixelFormat,
  kSetPixelFormat,
  kCreateContext,  // wglCreateContext
  kMakeCurrent,    // wglMakeCurrent with a context (releasing never fails)
};

// The step fails once (0, FALSE or NULL), after `succeedFirst` more calls of it have succeeded.
void FailWglStep(WglStep step, int succeedFirst = 0);
void ClearWglFailures();

}  // namespace platform
