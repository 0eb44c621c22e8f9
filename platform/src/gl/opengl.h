// OpenGL's declarations for the platform layer: the public ones, after the Windows types (the
// other order is what library code may use).
#pragma once

#include "platform/win32_types.h"

#include "platform/opengl.h"
