#include "ReadWholeFile.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "KMiscTools.h"
#include "platform/files.h"

namespace {

void* Fail(FILE* stream, void* data, const char* caption, const char* path) {
  if (stream) std::fclose(stream);
  std::free(data);
  KMiscTools::ShowMessageBox(caption, path);
  return nullptr;
}

}  // namespace

void* ReadWholeFile(const char* path) {
  if (!path) return Fail(nullptr, nullptr, "Could not open file", "");
  FILE* stream = platform::OpenRegularFile(path);
  if (!stream) return Fail(nullptr, nullptr, "Could not open file", path);
  long size = std::fseek(stream, 0, SEEK_END) == 0 ? std::ftell(stream) : -1;
  if (size <= 0) return Fail(stream, nullptr, "file is 0 byte", path);
  if (size > kWholeFileLimit) return Fail(stream, nullptr, "Out of memory", path);

  char magic[4];
  std::rewind(stream);
  if (std::fread(magic, 1, 4, stream) == 4 && std::memcmp(magic, "pihs", 4) == 0) {
    size -= 4;
  } else {
    std::rewind(stream);
  }
  if (size == 0) return Fail(stream, nullptr, "file is 0 byte", path);

  void* data = std::malloc(static_cast<size_t>(size));
  if (!data) return Fail(stream, nullptr, "Out of memory", path);
  if (std::fread(data, 1, static_cast<size_t>(size), stream) != static_cast<size_t>(size)) {
    return Fail(stream, data, "Out of data to read", path);
  }
  std::fclose(stream);
  return data;
}
