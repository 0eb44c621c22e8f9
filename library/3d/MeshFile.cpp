#include "MeshFile.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstring>
#include <new>

#include "platform/files.h"

MeshFileReader::MeshFileReader(const char* path) {
  FILE* stream = platform::OpenRegularFile(path);
  if (!stream) return;
  struct stat status;
  if (fstat(fileno(stream), &status) != 0 || status.st_size < 0 ||
      static_cast<uint64_t>(status.st_size) > kMeshFileLimit) {
    std::fclose(stream);
    return;
  }
  stream_ = stream;
  remaining_ = static_cast<size_t>(status.st_size);
}

MeshFileReader::~MeshFileReader() {
  if (stream_) std::fclose(stream_);
}

bool MeshFileReader::Read(void* to, size_t size) {
  if (size > remaining_) return false;
  if (stream_) {
    if (std::fread(to, 1, size, stream_) != size) return false;
  } else if (size > 0) {
    std::memcpy(to, bytes_, size);
    bytes_ += size;
  }
  remaining_ -= size;
  return true;
}

bool ReadMeshFile(const char* path, MeshFileBytes* file) {
  MeshFileReader reader(path);
  if (!reader.IsOpen()) return false;
  const size_t size = reader.Remaining();
  std::unique_ptr<char[]> data(new (std::nothrow) char[size > 0 ? size : 1]);
  if (!data || !reader.Read(data.get(), size)) return false;
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
