// The process's peak resident memory, for tests that bound what an operation costs at its peak.
// Each test runs in a process of its own, so a test's peak is its own.
#pragma once

#include <sys/resource.h>

#if defined(__SANITIZE_ADDRESS__)
// The address sanitizer keeps freed blocks resident for a while: peaks are not the library's.
constexpr bool kPeaksMeasurable = false;
#else
constexpr bool kPeaksMeasurable = true;
#endif

inline long PeakResidentKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}
