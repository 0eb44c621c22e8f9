#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

thread_local const char* g_loadFailure = nullptr;

const char* OpenFailureReason(int error) {
  return error == ENOENT || error == ENOTDIR ? "missing" : "unreadable";
}

}  // namespace

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

FILE* OpenRegularFile(const char* path, const char** reason) {
  const char* ignored;
  if (!reason) reason = &ignored;
  if (!path) {
    *reason = "missing";
    return nullptr;
  }
  // Without O_NONBLOCK opening a named pipe waits for a writer; the kind is checked on the open
  // descriptor, so that nothing can swap the file between the test and the open.
  int descriptor = open(NativePath(path).c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) {
    *reason = OpenFailureReason(errno);
    return nullptr;
  }
  struct stat status;
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(descriptor);
    *reason = "not a regular file";
    return nullptr;
  }
  int flags = fcntl(descriptor, F_GETFL);
  FILE* stream = flags < 0 || fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0
                     ? nullptr
                     : fdopen(descriptor, "rb");
  if (!stream) {
    close(descriptor);
    *reason = "unreadable";
  }
  return stream;
}

const char* ReadRegularFile(const char* path, size_t limit, std::string* bytes) {
  bytes->clear();
  const char* reason = nullptr;
  FILE* stream = OpenRegularFile(path, &reason);
  if (!stream) return reason;
  char chunk[16384];
  size_t count;
  while (!reason && (count = std::fread(chunk, 1, sizeof chunk, stream)) > 0) {
    if (count > limit - bytes->size()) {
      reason = "too large";
    } else {
      bytes->append(chunk, count);
    }
  }
  if (!reason && std::ferror(stream)) reason = "unreadable";
  if (!reason && bytes->empty()) reason = "empty";
  std::fclose(stream);
  if (reason) bytes->clear();
  return reason;
}

void NoteLoadFailure(const char* reason) {
  g_loadFailure = reason;
}

const char* TakeLoadFailure() {
  const char* reason = g_loadFailure;
  g_loadFailure = nullptr;
  return reason;
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
