#include "directx/pixel_memory.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace platform::directx {

PixelMemory::PixelMemory(size_t size) : size_(size) {
  if (size == 0) return;
  data_ = static_cast<unsigned char*>(std::calloc(size, 1));
  if (!data_) throw std::bad_alloc();
}

PixelMemory::~PixelMemory() {
  std::free(data_);
}

void PixelMemory::Clear() {
  if (data_) std::memset(data_, 0, size_);
}

}  // namespace platform::directx
