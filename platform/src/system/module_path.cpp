#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>

#include "kernel_objects.h"
#include "platform/process.h"
#include "platform/win32_kernel.h"

namespace {

std::mutex g_overrideLock;
std::string g_modulePathOverride;

std::string ExecutablePath() {
  {
    std::lock_guard<std::mutex> lock(g_overrideLock);
    if (!g_modulePathOverride.empty()) return g_modulePathOverride;
  }
  std::string path(4096, '\0');
  ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0) return {};
  path.resize(static_cast<size_t>(length));
  return path;
}

}  // namespace

namespace platform {

void SetModulePathOverride(const char* path) {
  std::lock_guard<std::mutex> lock(g_overrideLock);
  g_modulePathOverride = path ? path : "";
}

}  // namespace platform

// Answers in Windows form (backslashes). A path that doesn't fit is cut to size - 1 characters
// and always terminated, with ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size) {
  if (module || !fileName || size == 0) {
    platform::kernel::SetLastErrorCode(ERROR_INVALID_PARAMETER);
    return 0;
  }
  std::string path = ExecutablePath();
  if (path.empty()) {
    fileName[0] = '\0';
    platform::kernel::SetLastErrorCode(ERROR_FILE_NOT_FOUND);
    return 0;
  }
  std::replace(path.begin(), path.end(), '/', '\\');
  if (path.size() >= size) {
    std::memcpy(fileName, path.data(), size - 1);
    fileName[size - 1] = '\0';
    platform::kernel::SetLastErrorCode(ERROR_INSUFFICIENT_BUFFER);
    return size;
  }
  std::memcpy(fileName, path.c_str(), path.size() + 1);
  platform::kernel::SetLastErrorCode(ERROR_SUCCESS);
  return static_cast<DWORD>(path.size());
}
