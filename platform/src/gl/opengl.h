// OpenGL's declarations for the platform layer. The Windows types come first: they define
// APIENTRY empty, as OpenGL does here, and OpenGL's header then keeps that definition.
#pragma once

#include "platform/win32_types.h"

#include <SDL_opengl.h>
