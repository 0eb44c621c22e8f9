// Failure injection for the test seams: per step, whether one of its next calls is to fail.
#pragma once

#include <array>
#include <cstddef>

namespace platform {

template <typename Step, size_t kStepCount>
class StepFailures {
 public:
  constexpr StepFailures() { Clear(); }

  // The step fails once, after `succeedFirst` more calls of it have succeeded.
  void Fail(Step step, int succeedFirst) {
    failAfter_[static_cast<size_t>(step)] = succeedFirst < 0 ? 0 : succeedFirst;
  }
  constexpr void Clear() { failAfter_.fill(kNoFailure); }

  // True when a failure is due for this call of the step (it is then used up).
  bool ShouldFail(Step step) {
    int& remaining = failAfter_[static_cast<size_t>(step)];
    if (remaining == kNoFailure) return false;
    if (remaining > 0) {
      --remaining;
      return false;
    }
    remaining = kNoFailure;
    return true;
  }

 private:
  static constexpr int kNoFailure = -1;
  // Per step: how many more calls succeed before one fails, or kNoFailure.
  std::array<int, kStepCount> failAfter_{};
};

}  // namespace platform
