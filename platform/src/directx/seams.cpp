#include "directx/seams.h"

#include <array>

namespace platform::directx {
namespace {

constexpr int kNoFailure = -1;
constexpr size_t kStepCount = static_cast<size_t>(DirectXStep::SetTexture) + 1;

std::vector<DirectXCall> g_calls;
// Per step: how many more calls succeed before one fails, or kNoFailure.
std::array<int, kStepCount> g_failAfter = [] {
  std::array<int, kStepCount> steps;
  steps.fill(kNoFailure);
  return steps;
}();

}  // namespace

bool g_recordingCalls = false;

void Record(DirectXCall call) {
  g_calls.push_back(std::move(call));
}

bool ShouldFail(DirectXStep step) {
  int& remaining = g_failAfter[static_cast<size_t>(step)];
  if (remaining == kNoFailure) return false;
  if (remaining > 0) {
    --remaining;
    return false;
  }
  remaining = kNoFailure;
  return true;
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
  directx::g_failAfter[static_cast<size_t>(step)] = succeedFirst < 0 ? 0 : succeedFirst;
}

void ClearDirectXFailures() {
  directx::g_failAfter.fill(directx::kNoFailure);
}

}  // namespace platform
