// Mesh files moved between the disk and memory: the one place where they are opened, read and
// written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <memory>

// The largest mesh file read; the text readers count positions in int.
constexpr size_t kMeshFileLimit = size_t{1} << 30;

// The bytes of a mesh file taken in order, from a regular file of at most kMeshFileLimit bytes
// or from memory.
class MeshFileReader {
 public:
  MeshFileReader(const char* bytes, size_t size) : bytes_(bytes), remaining_(size) {}
  explicit MeshFileReader(const char* path);
  ~MeshFileReader();
  MeshFileReader(const MeshFileReader&) = delete;
  MeshFileReader& operator=(const MeshFileReader&) = delete;

  // False for a file that could not be opened.
  bool IsOpen() const { return stream_ || bytes_; }
  size_t Remaining() const { return remaining_; }
  // Copies the next size bytes; false when fewer remain or the read fails.
  bool Read(void* to, size_t size);

 private:
  FILE* stream_ = nullptr;
  const char* bytes_ = nullptr;
  size_t remaining_ = 0;
};

struct MeshFileBytes {
  std::unique_ptr<char[]> data;
  size_t size = 0;
};

// The whole of a regular file of at most kMeshFileLimit bytes; false when it cannot be read.
bool ReadMeshFile(const char* path, MeshFileBytes* file);

struct MeshFileBlock {
  const void* data;
  size_t size;
};
// Writes the blocks one after another into a new or emptied file; false when the file cannot be
// made or a write or the close fails.
bool WriteMeshFile(const char* path, std::initializer_list<MeshFileBlock> blocks);
