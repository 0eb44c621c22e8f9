// The objects behind kernel handles (threads, events, folder searches). One lock guards them all
// and one condition variable announces every change of a signalled state: waits are rare and
// short, so a single lock keeps multi-object waits simple and correct.
#pragma once

#include <condition_variable>
#include <mutex>

#include "platform/win32_types.h"

namespace platform::kernel {

class Object {
 public:
  virtual ~Object() = default;
  virtual bool IsSignalled() const { return false; }
  // Called under the lock when a wait is satisfied by this object (auto-reset events clear here).
  virtual void OnWaitSatisfied() {}
  int references = 1;
};

std::mutex& Lock();
std::condition_variable& Changed();

// All of these are called with Lock() held.
HANDLE Register(Object* object);
Object* Find(HANDLE handle);
void Release(Object* object);

template <typename T>
T* FindAs(HANDLE handle) {
  return dynamic_cast<T*>(Find(handle));
}

void SetLastErrorCode(DWORD code);

}  // namespace platform::kernel
