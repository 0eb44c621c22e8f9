// The stand-in's side of the test seams: recording calls and injected failures.
#pragma once

#include "platform/directx_seams.h"

namespace platform::directx {

extern bool g_recordingCalls;

inline bool Recording() {
  return g_recordingCalls;
}
void Record(DirectXCall call);
// True when an injected failure is due for this call of the step (it is then used up).
bool ShouldFail(DirectXStep step);

}  // namespace platform::directx
