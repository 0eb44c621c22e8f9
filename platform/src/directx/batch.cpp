#include "directx/batch.h"

#include <cstddef>

namespace platform::directx {
namespace {

// After this many corners OpenGL is told to start on what it has been given. A software
// rasteriser then draws the first part of a frame while the rest is still being sent, instead of
// all of it at the present; on a graphics card it keeps the card busy early.
constexpr size_t kCornersPerSubmission = 4096;

// Grows `storage` to hold `needed` items, doubling so that appends stay cheap.
template <typename T>
void Reserve(std::vector<T>& storage, size_t needed) {
  if (needed > storage.size()) storage.resize(needed * 2);
}

}  // namespace

BatchRoom Batch::Append(GLenum mode, size_t corners, size_t indices) {
  if (mode != mode_ || cornerCount_ + corners > kCornersPerSubmission) {
    Flush();
    mode_ = mode;
  }
  // Pointers into old storage die here, which is why the arrays are set at each flush.
  Reserve(corners_, cornerCount_ + corners);
  Reserve(indices_, indexCount_ + indices);
  BatchRoom room{corners_.data() + cornerCount_, indices_.data() + indexCount_,
                 static_cast<GLuint>(cornerCount_)};
  cornerCount_ += corners;
  indexCount_ += indices;
  return room;
}

void Batch::Flush() {
  if (indexCount_ > 0) {
    if (int(flat_) != glFlat_) {
      glShadeModel(flat_ ? GL_FLAT : GL_SMOOTH);
      glFlat_ = flat_;
    }
    const GlVertex* first = corners_.data();
    glVertexPointer(4, GL_FLOAT, sizeof(GlVertex), &first->x);
    glTexCoordPointer(2, GL_FLOAT, sizeof(GlVertex), &first->u);
    glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(GlVertex), &first->rgba);
    glDrawElements(mode_, static_cast<GLsizei>(indexCount_), GL_UNSIGNED_INT, indices_.data());
    unsubmitted_ += cornerCount_;
    if (unsubmitted_ >= kCornersPerSubmission) {
      glFlush();
      unsubmitted_ = 0;
    }
  }
  cornerCount_ = indexCount_ = 0;
  flat_ = true;
}

}  // namespace platform::directx
