#include "directx/seams.h"

#include "system/step_failures.h"

namespace platform::directx {
namespace {

std::vector<DirectXCall> g_calls;
StepFailures<DirectXStep, static_cast<size_t>(DirectXStep::kSetTexture) + 1> g_failures;

}  // namespace

bool g_recordingCalls = false;
bool g_fourLanes = false;

void Record(DirectXCall call) {
  g_calls.push_back(std::move(call));
}

bool ShouldFail(DirectXStep step) {
  return g_failures.ShouldFail(step);
}

}  // namespace platform::directx

namespace platform {

void RecordDirectXCalls(bool on) {
  directx::g_recordingCalls = on;
}

std::vector<DirectXCall> TakeDirectXCalls() {
  std::vector<DirectXCall> taken;
  taken.swap(directx::g_calls);
  return taken;
}

void FailDirectXStep(DirectXStep step, int succeedFirst) {
  directx::g_failures.Fail(step, succeedFirst);
}

void ClearDirectXFailures() {
  directx::g_failures.Clear();
}

void LightFourVerticesAtATime(bool on) {
  directx::g_fourLanes = on;
}

}  // namespace platform
