// OpenGL 1.1 for the library's OpenGL renderer: the system's declarations, and the extension
// constants the renderer uses where the system's headers leave them out.
#pragma once

#include <GL/gl.h>

// The rectangle-texture target, under each extension's name.
#ifndef GL_TEXTURE_RECTANGLE_ARB
#define GL_TEXTURE_RECTANGLE_ARB 0x84F5
#endif
#ifndef GL_TEXTURE_RECTANGLE_NV
#define GL_TEXTURE_RECTANGLE_NV 0x84F5
#endif
#ifndef GL_TEXTURE_RECTANGLE_EXT
#define GL_TEXTURE_RECTANGLE_EXT 0x84F5
#endif
