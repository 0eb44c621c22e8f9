// Zeroed memory for a surface's pixels, from calloc: a large block comes from the system already
// zeroed, so a new surface needs no clearing of its own.
#pragma once

#include <cstddef>

namespace platform::directx {

class PixelMemory {
 public:
  // No memory for a size of 0. Throws std::bad_alloc when the system has no room for `size` bytes.
  explicit PixelMemory(size_t size);
  ~PixelMemory();
  PixelMemory(const PixelMemory&) = delete;
  PixelMemory& operator=(const PixelMemory&) = delete;

  unsigned char* Data() { return data_; }
  const unsigned char* Data() const { return data_; }
  size_t Size() const { return size_; }
  void Clear();

 private:
  unsigned char* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace platform::directx
