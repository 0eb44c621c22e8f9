#include <time.h>

#include <atomic>
#include <thread>

#include "platform/clock.h"
#include "platform/win32_kernel.h"
#include "platform/win32_mm.h"

namespace {

// The counter counts nanoseconds in both modes, so a frequency read once stays true.
constexpr int64_t kCounterFrequency = 1000000000;

std::atomic<bool> g_manual{false};
std::atomic<uint64_t> g_manualMicroseconds{0};
std::atomic<uint32_t> g_microsecondsPerRead{0};

int64_t RealNanoseconds() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<int64_t>(now.tv_sec) * kCounterFrequency + now.tv_nsec;
}

// One reading of the clock in nanoseconds; a manual clock moves by its step at every reading.
int64_t ReadNanoseconds() {
  if (!g_manual.load(std::memory_order_relaxed)) return RealNanoseconds();
  uint64_t step = g_microsecondsPerRead.load(std::memory_order_relaxed);
  uint64_t microseconds = g_manualMicroseconds.fetch_add(step) + step;
  return static_cast<int64_t>(microseconds * 1000);
}

}  // namespace

namespace platform {

void UseManualClock(uint64_t startMicroseconds, uint32_t microsecondsPerRead) {
  g_manualMicroseconds = startMicroseconds;
  g_microsecondsPerRead = microsecondsPerRead;
  g_manual = true;
}

void UseRealClock() {
  g_manual = false;
}

void AdvanceClock(uint64_t microseconds) {
  g_manualMicroseconds += microseconds;
}

bool IsClockManual() {
  return g_manual;
}

}  // namespace platform

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency) {
  if (!frequency) return FALSE;
  frequency->QuadPart = kCounterFrequency;
  return TRUE;
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count) {
  if (!count) return FALSE;
  count->QuadPart = ReadNanoseconds();
  return TRUE;
}

DWORD timeGetTime() {
  return static_cast<DWORD>(ReadNanoseconds() / 1000000);
}

// On the manual clock a sleep moves the clock instead of waiting, so code that sleeps runs at
// full speed in tests and still sees the time pass.
void Sleep(DWORD milliseconds) {
  if (g_manual) {
    platform::AdvanceClock(static_cast<uint64_t>(milliseconds) * 1000);
    std::this_thread::yield();
    return;
  }
  if (milliseconds == 0) {
    std::this_thread::yield();
    return;
  }
  timespec duration{static_cast<time_t>(milliseconds / 1000),
                    static_cast<long>(milliseconds % 1000) * 1000000};
  while (nanosleep(&duration, &duration) != 0) {
  }
}
