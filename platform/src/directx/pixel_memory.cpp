#include "directx/pixel_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

namespace platform::directx {
namespace {

constexpr size_t kHugePage = size_t(2) << 20;

size_t RoundUp(size_t size, size_t step) {
  return (size + step - 1) / step * step;
}

// A mapping of whole huge pages starting on a huge page's boundary, where the system keeps them
// for those who ask; null when it has no room.
unsigned char* MapHugePages(size_t length) {
  // Mapped one huge page longer, then trimmed to the boundary.
  void* mapping =
      mmap(nullptr, length + kHugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (mapping == MAP_FAILED) return nullptr;
  auto start = reinterpret_cast<uintptr_t>(mapping);
  uintptr_t aligned = RoundUp(start, kHugePage);
  if (aligned > start) munmap(mapping, aligned - start);
  size_t tail = kHugePage - (aligned - start);
  if (tail > 0) munmap(reinterpret_cast<void*>(aligned + length), tail);
  // Only a wish: without huge pages the block works the same, page by page.
  madvise(reinterpret_cast<void*>(aligned), length, MADV_HUGEPAGE);
  return reinterpret_cast<unsigned char*>(aligned);
}

}  // namespace

PixelMemory::PixelMemory(size_t size) : size_(size) {
  if (size == 0) return;
  if (size >= kHugePage) {
    mapped_ = RoundUp(size, kHugePage);
    data_ = MapHugePages(mapped_);
    if (!data_) mapped_ = 0;
  }
  if (!data_) data_ = static_cast<unsigned char*>(std::calloc(size, 1));
  if (!data_) throw std::bad_alloc();
}

PixelMemory::~PixelMemory() {
  if (mapped_ > 0) {
    munmap(data_, mapped_);
  } else {
    std::free(data_);
  }
}

void PixelMemory::Clear() {
  if (data_) std::memset(data_, 0, size_);
}

}  // namespace platform::directx
