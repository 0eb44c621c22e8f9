// Draws waiting to be sent to OpenGL: vertices already transformed to pixels on the CPU, sent in
// one call per run of draws that share their state and primitive. Every corner is stored once and
// primitives name their corners by index, so strips and fans join a list without shading a
// shared corner twice.
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

// Space for one draw's corners and the indices of its primitives; the draw's first corner has
// the index `first`.
struct BatchRoom {
  GlVertex* corners;
  GLuint* indices;
  GLuint first;
};

class Batch {
 public:
  // Room for `corners` more vertices and `indices` more indices of the primitive `mode`; what is
  // pending under another primitive, or too much to wait any longer, is drawn first. The context
  // must be current and the state applied. The room is valid until the next call.
  BatchRoom Append(GLenum mode, size_t corners, size_t indices);
  // Whether each primitive of the draw just appended has one colour at all its corners. Flat
  // shading then draws the same pixels as smooth shading with less work for each pixel, so a run
  // of such draws is drawn flat.
  void NoteColours(bool oneColour) { flat_ = flat_ && oneColour; }
  // Draws what is pending.
  void Flush();
  // Somebody else may have changed OpenGL's shading: the next flush sets it.
  void ForgetGlShading() { glFlat_ = kUnknown; }

  // Who applied the OpenGL state that pending vertices are drawn with; null when somebody else
  // has changed it since.
  const void* stateOwner = nullptr;

 private:
  GLenum mode_ = GL_TRIANGLES;
  std::vector<GlVertex> corners_;
  std::vector<GLuint> indices_;
  size_t cornerCount_ = 0;
  size_t indexCount_ = 0;
  size_t unsubmitted_ = 0;  // corners drawn since OpenGL was last told to start
  // Whether the pending draws may be drawn flat, and whether OpenGL is set to (or unknown).
  bool flat_ = true;
  static constexpr int kUnknown = -1;
  int glFlat_ = kUnknown;
};

}  // namespace platform::directx
