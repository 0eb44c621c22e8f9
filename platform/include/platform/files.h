// File access for paths in Windows form. These are the only places where a library path is handed
// to the operating system, so the separators are turned here and nowhere else.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// The path with every backslash turned into a slash, for code that opens files itself.
std::string NativePath(const char* path);

FILE* OpenFile(const char* path, const char* mode);
int RemoveFile(const char* path);

struct FileInfo {
  bool exists = false;
  bool isDirectory = false;
  bool isRegularFile = false;
  int64_t size = 0;
};
FileInfo GetFileInfo(const char* path);

}  // namespace platform
