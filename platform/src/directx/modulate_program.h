// The fragment program of the device's most common texture stage, the texel modulated by the
// diffuse colour (every picture draw uses it). OpenGL's fixed-function stage computes the same
// with more work for each pixel: it looks the texture up with projective coordinates. The vertex
// stage stays fixed-function. One per OpenGL context.
#pragma once

#include "gl/gl_context.h"

namespace platform::directx {

class ModulateProgram {
 public:
  // Draws from now on with the program, made at the first call; false where the context has
  // no programs or the program can't be made (the fixed-function stage then serves).
  bool Use(const gl::Functions& gl);
  // Draws from now on with the fixed-function stage.
  void Stop(const gl::Functions& gl);

 private:
  bool Make(const gl::Functions& gl);

  GLuint program_ = 0;
  bool failed_ = false;
  bool inUse_ = false;
};

}  // namespace platform::directx
