// The clock behind timeGetTime and the performance counter, and its manual mode for tests.
#pragma once

#include <cstdint>

namespace platform {

// From now on the clock stands at startMicroseconds and moves only by AdvanceClock, Sleep, and
// microsecondsPerRead at every reading (so busy waits on the clock still end).
void UseManualClock(uint64_t startMicroseconds = 0, uint32_t microsecondsPerRead = 0);
void UseRealClock();
void AdvanceClock(uint64_t microseconds);
bool IsClockManual();

}  // namespace platform
