// The stand-in's side of the test seams: recording calls and injected failures.
#pragma once

#include <initializer_list>

#include "platform/directx_seams.h"

namespace platform::directx {

extern bool g_recordingCalls;
// Lit draws keep to four vertices at a time, as on processors without AVX2.
extern bool g_fourLanes;

inline bool Recording() {
  return g_recordingCalls;
}
void Record(DirectXCall call);
// Records a call on an object while calls are recorded. Nothing is built otherwise: the calls of
// every frame pay no allocation for the seam.
inline void RecordCall(const char* name, const void* object, std::initializer_list<DWORD> args = {},
                       const void* surface = nullptr) {
  if (Recording()) Record({.name = name, .object = object, .args = args, .surface = surface});
}
// True when an injected failure is due for this call of the step (it is then used up).
bool ShouldFail(DirectXStep step);

}  // namespace platform::directx
