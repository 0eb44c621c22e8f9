// OpenGL's declarations for the platform layer.
#pragma once

#include <SDL_opengl.h>

#include "platform/win32_types.h"
