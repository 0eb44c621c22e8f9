// Mesh files moved whole between the disk and memory: the one place where they are opened.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <memory>

// The largest mesh file read; the text readers count positions in int.
constexpr size_t kMeshFileLimit = size_t{1} << 30;

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
