// What the fuzz targets share: the input as a file that the library can open by path, and the
// sound set-up of the sound targets.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

// The input as a file kept in memory: a path that names it while the next input is not yet
// written. Empty when the file cannot be written.
inline std::string InputAsFile(const uint8_t* data, size_t size) {
  static int descriptor = memfd_create("fuzz-input", 0);
  if (descriptor < 0 || ftruncate(descriptor, 0) != 0) return {};
  if (size > 0 && pwrite(descriptor, data, size, 0) != static_cast<ssize_t>(size)) return {};
  return "/proc/self/fd/" + std::to_string(descriptor);
}
