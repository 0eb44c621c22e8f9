#include <gtest/gtest.h>

#include <atomic>

#include "platform/win32_kernel.h"

namespace {

struct Handshake {
  HANDLE go = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  std::atomic<int> value{0};
  ~Handshake() { CloseHandle(go); }
};

DWORD WINAPI WaitThenStore(LPVOID parameter) {
  auto* handshake = static_cast<Handshake*>(parameter);
  WaitForSingleObject(handshake->go, INFINITE);
  handshake->value = 7;
  return 42;
}

DWORD WINAPI LeaveEarly(LPVOID) {
  ExitThread(9);
}

}  // namespace

TEST(Events, AutoResetReleasesOneWaitOnly) {
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  SetEvent(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST(Events, ManualResetStaysSetUntilReset) {
  HANDLE event = CreateEventA(nullptr, TRUE, TRUE, nullptr);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
  ResetEvent(event);
  EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
  CloseHandle(event);
}

TEST(Events, SameNameIsTheSameEvent) {
  HANDLE first = CreateEventA(nullptr, FALSE, FALSE, "half-played");
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  HANDLE second = CreateEventA(nullptr, FALSE, FALSE, "half-played");
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  SetEvent(first);
  EXPECT_EQ(WaitForSingleObject(second, 0), WAIT_OBJECT_0);
  // The name lives while any handle does.
  CloseHandle(first);
  EXPECT_TRUE(SetEvent(second));
  CloseHandle(second);
  HANDLE fresh = CreateEventA(nullptr, FALSE, FALSE, "half-played");
  EXPECT_EQ(GetLastError(), ERROR_SUCCESS);
  EXPECT_EQ(WaitForSingleObject(fresh, 0), WAIT_TIMEOUT);
  CloseHandle(fresh);
}

TEST(Waits, AnyReportsTheFirstSignalledAllNeedsEvery) {
  HANDLE events[2] = {CreateEventA(nullptr, TRUE, FALSE, nullptr),
                      CreateEventA(nullptr, TRUE, FALSE, nullptr)};
  EXPECT_EQ(WaitForMultipleObjects(2, events, FALSE, 0), WAIT_TIMEOUT);
  SetEvent(events[1]);
  EXPECT_EQ(WaitForMultipleObjects(2, events, FALSE, 0), WAIT_OBJECT_0 + 1);
  EXPECT_EQ(WaitForMultipleObjects(2, events, TRUE, 0), WAIT_TIMEOUT);
  SetEvent(events[0]);
  EXPECT_EQ(WaitForMultipleObjects(2, events, TRUE, 0), WAIT_OBJECT_0);
  for (HANDLE event : events) CloseHandle(event);
}

TEST(Waits, BadHandlesFailInsteadOfCrashing) {
  int notAHandle = 0;
  EXPECT_EQ(WaitForSingleObject(&notAHandle, 0), WAIT_FAILED);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(CloseHandle(&notAHandle));
  EXPECT_FALSE(SetEvent(nullptr));
  HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  CloseHandle(event);
  EXPECT_FALSE(CloseHandle(event));
  EXPECT_EQ(WaitForMultipleObjects(0, nullptr, FALSE, 0), WAIT_FAILED);
}

TEST(Threads, HandleIsSignalledWhenTheThreadEnds) {
  Handshake handshake;
  DWORD id = 0;
  HANDLE thread = CreateThread(nullptr, 0, WaitThenStore, &handshake, 0, &id);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(id, 0u);
  EXPECT_TRUE(SetThreadPriority(thread, THREAD_PRIORITY_ABOVE_NORMAL));
  EXPECT_EQ(GetThreadPriority(thread), THREAD_PRIORITY_ABOVE_NORMAL);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  DWORD code = 0;
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, STILL_ACTIVE);

  SetEvent(handshake.go);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(handshake.value, 7);
  EXPECT_TRUE(GetExitCodeThread(thread, &code));
  EXPECT_EQ(code, 42u);
  CloseHandle(thread);
}

// A thread-local object whose destruction, the thread's last work after its routine, takes a
// while and is then counted.
std::atomic<int> g_finishedThreadEnds{0};
struct SlowThreadEnd {
  ~SlowThreadEnd() {
    std::atomic<int> spins{0};
    while (spins.fetch_add(1, std::memory_order_relaxed) < 5000000) {
    }
    ++g_finishedThreadEnds;
  }
};

TEST(Threads, AWaitReturnsOnlyOnceTheThreadHasRunToItsVeryEnd) {
  for (BOOL waitAll : {FALSE, TRUE}) {
    g_finishedThreadEnds = 0;
    const DWORD count = waitAll ? 2 : 1;
    HANDLE threads[2] = {};
    for (DWORD i = 0; i < count; ++i) {
      threads[i] = CreateThread(
          nullptr, 0,
          [](LPVOID) -> DWORD {
            thread_local SlowThreadEnd end;
            (void)&end;
            return 0;
          },
          nullptr, 0, nullptr);
      ASSERT_NE(threads[i], nullptr);
    }
    EXPECT_EQ(WaitForMultipleObjects(count, threads, waitAll, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(g_finishedThreadEnds, int(count)) << "wait all: " << waitAll;
    for (DWORD i = 0; i < count; ++i) CloseHandle(threads[i]);
  }
}

TEST(Threads, ExitThreadEndsWithItsCode) {
  HANDLE thread = CreateThread(nullptr, 0, LeaveEarly, nullptr, 0, nullptr);
  ASSERT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  DWORD code = 0;
  GetExitCodeThread(thread, &code);
  EXPECT_EQ(code, 9u);
  CloseHandle(thread);
}

TEST(Threads, ClosingTheHandleEarlyLetsTheThreadFinish) {
  Handshake handshake;
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  struct Work {
    Handshake* handshake;
    HANDLE done;
  } work{&handshake, done};
  HANDLE thread = CreateThread(
      nullptr, 0,
      [](LPVOID parameter) -> DWORD {
        auto* job = static_cast<Work*>(parameter);
        WaitThenStore(job->handshake);
        SetEvent(job->done);
        return 0;
      },
      &work, 0, nullptr);
  CloseHandle(thread);
  SetEvent(handshake.go);
  EXPECT_EQ(WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(handshake.value, 7);
  CloseHandle(done);
}

TEST(Threads, BeginThreadRunsTheRoutineOnItsArgument) {
  Handshake handshake;
  HANDLE done = CreateEventA(nullptr, TRUE, FALSE, "begin-thread-done");
  ASSERT_NE(_beginthread(
                [](void* argument) {
                  static_cast<Handshake*>(argument)->value = 3;
                  HANDLE event = CreateEventA(nullptr, TRUE, FALSE, "begin-thread-done");
                  SetEvent(event);
                  CloseHandle(event);
                },
                0, &handshake),
            static_cast<uintptr_t>(-1));
  EXPECT_EQ(WaitForSingleObject(done, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(handshake.value, 3);
  CloseHandle(done);
}
