// File access for paths in Windows form. These are the only places where a library path is handed
// to the operating system, so the separators are turned here and nowhere else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace platform {

// The path with every backslash turned into a slash, for code that opens files itself.
std::string NativePath(const char* path);

FILE* OpenFile(const char* path, const char* mode);
int RemoveFile(const char* path);

// Opens an existing regular file for reading, in binary mode. Anything else is refused at once,
// without blocking (a named pipe would wait for a writer): a folder, a pipe, a device, a socket.
// On failure *reason, when given, says why in a few words: "missing", "not a regular file" or
// "unreadable".
FILE* OpenRegularFile(const char* path, const char** reason = nullptr);

// Reads a whole regular file into *bytes. Null on success, otherwise the reason: those of
// OpenRegularFile, "empty", or "too large" for more than limit bytes.
const char* ReadRegularFile(const char* path, size_t limit, std::string* bytes);

// The reason of the latest failed load of a data file on this thread, noted by the loader that
// failed (loaders say nothing themselves) for a caller that tells the user. Reasons are string
// literals. Taking the reason forgets it; null when none was noted since.
void NoteLoadFailure(const char* reason);
const char* TakeLoadFailure();

struct FileInfo {
  bool exists = false;
  bool isDirectory = false;
  bool isRegularFile = false;
  int64_t size = 0;
};
FileInfo GetFileInfo(const char* path);

}  // namespace platform
