// Draws waiting to be sent to OpenGL: vertices already transformed to pixels on the CPU, sent in
// one call per run of draws that share their state and primitive.
#pragma once

#include "gl/opengl.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform::directx {

// Position as (x, y, z, w) before OpenGL's divide by w, in pixels of the render target with y
// growing downward; colour bytes red, green, blue, alpha.
struct GlVertex {
  float x, y, z, w;
  float u, v;
  uint32_t rgba;
};

class Batch {
 public:
  // Room for `count` more vertices of the primitive `mode`; what is pending under another
  // primitive is drawn first. The context must be current and the state applied.
  GlVertex* Append(GLenum mode, size_t count);
  // Draws what is pending.
  void Flush();

  // Who applied the OpenGL state that pending vertices are drawn with; null when somebody else
  // has changed it since.
  const void* stateOwner = nullptr;

 private:
  GLenum mode_ = GL_TRIANGLES;
  std::vector<GlVertex> vertices_;
  size_t count_ = 0;
};

}  // namespace platform::directx
