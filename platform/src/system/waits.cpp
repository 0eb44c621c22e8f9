#include <chrono>
#include <vector>

#include "kernel_objects.h"
#include "platform/win32_kernel.h"

using namespace platform::kernel;

namespace {

constexpr DWORD kMaximumWaitObjects = 64;

// Index of the object that satisfies the wait, or -1 while none does.
int SatisfiedIndex(const std::vector<Object*>& objects, bool waitAll) {
  if (waitAll) {
    for (Object* object : objects)
      if (!object->IsSignalled()) return -1;
    for (Object* object : objects) object->OnWaitSatisfied();
    return 0;
  }
  for (size_t i = 0; i < objects.size(); ++i) {
    if (objects[i]->IsSignalled()) {
      objects[i]->OnWaitSatisfied();
      return static_cast<int>(i);
    }
  }
  return -1;
}

}  // namespace

// Waits run on the real clock: they synchronise threads, which the manual test clock doesn't drive.
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds) {
  std::unique_lock<std::mutex> lock(Lock());
  if (count == 0 || count > kMaximumWaitObjects || !handles) {
    SetLastErrorCode(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
  }
  std::vector<Object*> objects;
  for (DWORD i = 0; i < count; ++i) {
    Object* object = Find(handles[i]);
    if (!object) {
      SetLastErrorCode(ERROR_INVALID_HANDLE);
      return WAIT_FAILED;
    }
    objects.push_back(object);
  }
  // Keep the objects alive while waiting, even if another thread closes their handles.
  for (Object* object : objects) ++object->references;

  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  DWORD result = WAIT_TIMEOUT;
  for (;;) {
    int index = SatisfiedIndex(objects, waitAll != FALSE);
    if (index >= 0) {
      result = WAIT_OBJECT_0 + static_cast<DWORD>(index);
      break;
    }
    if (milliseconds == INFINITE) {
      Changed().wait(lock);
    } else if (Changed().wait_until(lock, deadline) == std::cv_status::timeout) {
      index = SatisfiedIndex(objects, waitAll != FALSE);
      if (index >= 0) result = WAIT_OBJECT_0 + static_cast<DWORD>(index);
      break;
    }
  }
  for (Object* object : objects) Release(object);
  return result;
}

DWORD WaitForSingleObject(HANDLE object, DWORD milliseconds) {
  return WaitForMultipleObjects(1, &object, FALSE, milliseconds);
}
