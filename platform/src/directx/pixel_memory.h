// Zeroed memory for a surface's pixels, taken straight from the system: a fresh block needs no
// clearing of its own, and a block of megabytes is asked for in huge pages, so that its first
// touch costs a few page faults instead of one per 4 KiB (a texture of 1024 x 1024 texels would
// take 1024 of them).
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
  // The length of the mapping, 0 for a block from the heap.
  size_t mapped_ = 0;
};

}  // namespace platform::directx
