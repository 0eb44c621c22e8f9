#include "platform/files.h"

#include <sys/stat.h>

#include <algorithm>

namespace platform {

std::string NativePath(const char* path) {
  std::string native = path ? path : "";
  std::replace(native.begin(), native.end(), '\\', '/');
  return native;
}

FILE* OpenFile(const char* path, const char* mode) {
  if (!path || !mode) return nullptr;
  return std::fopen(NativePath(path).c_str(), mode);
}

int RemoveFile(const char* path) {
  if (!path) return -1;
  return std::remove(NativePath(path).c_str());
}

FileInfo GetFileInfo(const char* path) {
  FileInfo info;
  struct stat status;
  if (!path || stat(NativePath(path).c_str(), &status) != 0) return info;
  info.exists = true;
  info.isDirectory = S_ISDIR(status.st_mode);
  info.isRegularFile = S_ISREG(status.st_mode);
  info.size = status.st_size;
  return info;
}

}  // namespace platform
