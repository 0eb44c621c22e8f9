// The WGL stand-in's side of the test seams: injected failures.
#pragma once

#include "platform/wgl_seams.h"

namespace platform::gl {

// True when an injected failure is due for this call of the step (it is then used up).
bool ShouldFail(WglStep step);

}  // namespace platform::gl
