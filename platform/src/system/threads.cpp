#include <pthread.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

#include "kernel_objects.h"
#include "platform/win32_kernel.h"

using namespace platform::kernel;

namespace {

// A thread handle is signalled once the thread has ended. The running thread holds one reference
// of its own, so closing the handle early is safe. A wait that the ended thread satisfies, or the
// release of its last reference, joins it: once a wait returns, nothing of the thread runs on (its
// thread-local objects and the system's own clean-up included), also not while the process exits.
class Thread : public Object {
 public:
  ~Thread() override { Join(); }
  bool IsSignalled() const override { return finished; }
  void OnWaitSatisfied() override { Join(); }
  // Called under the lock, after the thread has marked itself finished: it takes the lock no more.
  void Join() {
    if (!joinable) return;
    pthread_join(posixThread, nullptr);
    joinable = false;
  }
  bool finished = false;
  // Set by the thread as it starts; cleared once joined, or detached when no one is left to.
  bool joinable = false;
  pthread_t posixThread{};
  DWORD exitCode = STILL_ACTIVE;
  int priority = THREAD_PRIORITY_NORMAL;
  pid_t systemId = 0;
};

struct StartRecord {
  Thread* thread;
  LPTHREAD_START_ROUTINE routine;
  LPVOID parameter;
  // For _beginthread: the routine returns nothing and the thread owns the creator's reference.
  void (*plainRoutine)(void*);
};

thread_local Thread* g_currentThread = nullptr;

// Marks the thread finished however it ends: by returning or through ExitThread, whose unwinding
// runs this destructor.
struct FinishOnExit {
  Thread* thread;
  bool ownsCreatorReference;
  ~FinishOnExit() {
    std::lock_guard<std::mutex> lock(Lock());
    thread->finished = true;
    // The last reference goes with this thread: the system cleans up after it by itself.
    if (thread->references <= (ownsCreatorReference ? 2 : 1)) {
      pthread_detach(pthread_self());
      thread->joinable = false;
    }
    if (ownsCreatorReference) Release(thread);
    Release(thread);
    Changed().notify_all();
  }
};

void ApplyPriority(Thread* thread) {
  if (thread->systemId == 0) return;
  // Best effort: raising a thread's priority needs a privilege that an ordinary user may lack.
  int niceness = -2 * std::clamp(thread->priority, THREAD_PRIORITY_LOWEST, THREAD_PRIORITY_HIGHEST);
  setpriority(PRIO_PROCESS, static_cast<id_t>(thread->systemId), niceness);
}

void* RunThread(void* argument) {
  StartRecord record = *static_cast<StartRecord*>(argument);
  delete static_cast<StartRecord*>(argument);
  g_currentThread = record.thread;
  {
    std::lock_guard<std::mutex> lock(Lock());
    record.thread->systemId = gettid();
    record.thread->posixThread = pthread_self();
    record.thread->joinable = true;
    ApplyPriority(record.thread);
  }
  FinishOnExit finish{record.thread, record.plainRoutine != nullptr};
  DWORD exitCode = 0;
  if (record.plainRoutine) {
    record.plainRoutine(record.parameter);
  } else {
    exitCode = record.routine(record.parameter);
  }
  std::lock_guard<std::mutex> lock(Lock());
  record.thread->exitCode = exitCode;
  return nullptr;
}

HANDLE StartThread(StartRecord* record, LPDWORD threadId) {
  Thread* thread = new Thread;
  thread->references = 2;  // the creator's handle and the running thread
  record->thread = thread;
  HANDLE handle;
  {
    std::lock_guard<std::mutex> lock(Lock());
    handle = Register(thread);
  }
  pthread_t id;
  if (pthread_create(&id, nullptr, RunThread, record) != 0) {
    delete record;
    std::lock_guard<std::mutex> lock(Lock());
    Release(thread);
    Release(thread);
    SetLastErrorCode(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  if (threadId) *threadId = static_cast<DWORD>(reinterpret_cast<uintptr_t>(thread));
  return handle;
}

}  // namespace

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE startAddress,
                    LPVOID parameter, DWORD, LPDWORD threadId) {
  if (!startAddress) {
    SetLastErrorCode(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return StartThread(new StartRecord{nullptr, startAddress, parameter, nullptr}, threadId);
}

uintptr_t _beginthread(void (*startAddress)(void*), unsigned, void* argument) {
  if (!startAddress) return static_cast<uintptr_t>(-1);
  HANDLE handle = StartThread(new StartRecord{nullptr, nullptr, argument, startAddress}, nullptr);
  return handle ? reinterpret_cast<uintptr_t>(handle) : static_cast<uintptr_t>(-1);
}

void ExitThread(DWORD exitCode) {
  if (g_currentThread) {
    std::lock_guard<std::mutex> lock(Lock());
    g_currentThread->exitCode = exitCode;
  }
  pthread_exit(nullptr);
}

BOOL SetThreadPriority(HANDLE handle, int priority) {
  std::lock_guard<std::mutex> lock(Lock());
  auto* thread = FindAs<Thread>(handle);
  if (!thread) {
    SetLastErrorCode(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  thread->priority = priority;
  ApplyPriority(thread);
  return TRUE;
}

int GetThreadPriority(HANDLE handle) {
  std::lock_guard<std::mutex> lock(Lock());
  auto* thread = FindAs<Thread>(handle);
  return thread ? thread->priority : THREAD_PRIORITY_ERROR_RETURN;
}

BOOL GetExitCodeThread(HANDLE handle, LPDWORD exitCode) {
  std::lock_guard<std::mutex> lock(Lock());
  auto* thread = FindAs<Thread>(handle);
  if (!thread || !exitCode) {
    SetLastErrorCode(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  *exitCode = thread->exitCode;
  return TRUE;
}
