#include "directx/batch.h"

#include <cstddef>

namespace platform::directx {

GlVertex* Batch::Append(GLenum mode, size_t count) {
  if (mode != mode_) {
    Flush();
    mode_ = mode;
  }
  if (count_ + count > vertices_.size()) {
    // Pointers into the old storage die here, which is why the arrays are set at each flush.
    vertices_.resize((count_ + count) * 2);
  }
  GlVertex* room = vertices_.data() + count_;
  count_ += count;
  return room;
}

void Batch::Flush() {
  if (count_ == 0) return;
  const GlVertex* first = vertices_.data();
  glVertexPointer(4, GL_FLOAT, sizeof(GlVertex), &first->x);
  glTexCoordPointer(2, GL_FLOAT, sizeof(GlVertex), &first->u);
  glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(GlVertex), &first->rgba);
  glDrawArrays(mode_, 0, static_cast<GLsizei>(count_));
  count_ = 0;
}

}  // namespace platform::directx
