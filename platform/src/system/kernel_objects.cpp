#include "kernel_objects.h"

#include <unordered_set>

#include "platform/win32_kernel.h"

namespace platform::kernel {
namespace {

std::unordered_set<Object*>& Live() {
  static auto* live = new std::unordered_set<Object*>;
  return *live;
}

thread_local DWORD g_lastError = ERROR_SUCCESS;

}  // namespace

// Handles may be used from threads that outlive static destruction, so the lock and the condition
// variable are never destroyed.
std::mutex& Lock() {
  static auto* lock = new std::mutex;
  return *lock;
}

std::condition_variable& Changed() {
  static auto* changed = new std::condition_variable;
  return *changed;
}

HANDLE Register(Object* object) {
  Live().insert(object);
  return object;
}

Object* Find(HANDLE handle) {
  auto* object = static_cast<Object*>(handle);
  return Live().count(object) ? object : nullptr;
}

void Release(Object* object) {
  if (--object->references > 0) return;
  Live().erase(object);
  delete object;
}

void SetLastErrorCode(DWORD code) {
  g_lastError = code;
}

}  // namespace platform::kernel

DWORD GetLastError() {
  return platform::kernel::g_lastError;
}

BOOL CloseHandle(HANDLE handle) {
  std::lock_guard<std::mutex> lock(platform::kernel::Lock());
  platform::kernel::Object* object = platform::kernel::Find(handle);
  if (!object) {
    platform::kernel::SetLastErrorCode(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  platform::kernel::Release(object);
  return TRUE;
}
