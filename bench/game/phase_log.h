// How a program started by the start comparison reports its phases: it is given the moment it
// was started (steady clock nanoseconds, which every process on the machine shares) and prints
// one line "phase<TAB>name<TAB>milliseconds" for each phase, in order.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>

class PhaseLog {
 public:
  using Clock = std::chrono::steady_clock;

  // startedAt: the argument with the nanoseconds; the first phase ("program load") ends now.
  explicit PhaseLog(const char* startedAt)
      : last_(Clock::time_point(std::chrono::nanoseconds(std::strtoll(startedAt, nullptr, 10)))) {
    End("program load");
  }

  // The phase that began where the last one ended ends now.
  void End(const char* phase) {
    Clock::time_point now = Clock::now();
    std::printf("phase\t%s\t%.3f\n", phase,
                std::chrono::duration<double, std::milli>(now - last_).count());
    last_ = now;
  }

  static long long Now() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
  }

 private:
  Clock::time_point last_;
};
