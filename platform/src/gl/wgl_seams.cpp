#include "gl/wgl_seams.h"

#include "system/step_failures.h"

namespace platform::gl {
namespace {

StepFailures<WglStep, static_cast<size_t>(WglStep::kMakeCurrent) + 1> g_failures;

}  // namespace

bool ShouldFail(WglStep step) {
  return g_failures.ShouldFail(step);
}

}  // namespace platform::gl

namespace platform {

void FailWglStep(WglStep step, int succeedFirst) {
  gl::g_failures.Fail(step, succeedFirst);
}

void ClearWglFailures() {
  gl::g_failures.Clear();
}

}  // namespace platform
