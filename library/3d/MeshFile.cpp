#include "MeshFile.h"

#include <cstdio>
#include <new>

#include "platform/files.h"

bool ReadMeshFile(const char* path, MeshFileBytes* file) {
  const platform::FileInfo info = platform::GetFileInfo(path);
  if (!info.isRegularFile || info.size < 0 || static_cast<size_t>(info.size) > kMeshFileLimit) {
    return false;
  }
  const size_t size = static_cast<size_t>(info.size);
  std::unique_ptr<char[]> data(new (std::nothrow) char[size > 0 ? size : 1]);
  if (!data) return false;
  FILE* stream = platform::OpenFile(path, "rb");
  if (!stream) return false;
  const bool read = std::fread(data.get(), 1, size, stream) == size;
  std::fclose(stream);
  if (!read) return false;
  file->data = std::move(data);
  file->size = size;
  return true;
}

bool WriteMeshFile(const char* path, std::initializer_list<MeshFileBlock> blocks) {
  FILE* stream = platform::OpenFile(path, "wb");
  if (!stream) return false;
  bool written = true;
  for (const MeshFileBlock& block : blocks) {
    if (written && block.size > 0) {
      written = std::fwrite(block.data, 1, block.size, stream) == block.size;
    }
  }
  return std::fclose(stream) == 0 && written;
}
