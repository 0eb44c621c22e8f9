// The pixel formats a window offers to OpenGL, and which one a window has.
#pragma once

#include "platform/wgl.h"
#include "window/window_registry.h"

namespace platform::gl {

// The offered format at a 1-based index; null outside the table.
const PIXELFORMATDESCRIPTOR* OfferedFormat(int format);
// The window behind a device context, when it can carry OpenGL.
Window* OpenGlWindowOf(HDC deviceContext);

}  // namespace platform::gl
