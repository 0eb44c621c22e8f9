#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/win32_kernel.h"
#include "platform/win32_mm.h"

namespace {

class ManualClock : public testing::Test {
 protected:
  void TearDown() override { platform::UseRealClock(); }
};

int64_t Counter() {
  LARGE_INTEGER count;
  EXPECT_TRUE(QueryPerformanceCounter(&count));
  return count.QuadPart;
}

}  // namespace

TEST_F(ManualClock, StandsStillUntilAdvanced) {
  platform::UseManualClock(5000000);
  EXPECT_EQ(timeGetTime(), 5000u);
  EXPECT_EQ(timeGetTime(), 5000u);
  platform::AdvanceClock(16000);
  EXPECT_EQ(timeGetTime(), 5016u);
  LARGE_INTEGER frequency;
  ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
  EXPECT_EQ(Counter() * 1000 / frequency.QuadPart, 5016);
}

TEST_F(ManualClock, MovesByItsStepAtEveryReading) {
  platform::UseManualClock(0, 250);
  EXPECT_EQ(Counter(), 250000);
  EXPECT_EQ(Counter(), 500000);
  EXPECT_EQ(timeGetTime(), 0u);  // 750 microseconds
  EXPECT_EQ(timeGetTime(), 1u);
}

TEST_F(ManualClock, SleepMovesTheClockInsteadOfWaiting) {
  platform::UseManualClock(0);
  Sleep(100);
  EXPECT_EQ(timeGetTime(), 100u);
}

TEST_F(ManualClock, MillisecondCountWrapsAt32Bits) {
  platform::UseManualClock((uint64_t{1} << 32) * 1000 - 1000);
  EXPECT_EQ(timeGetTime(), 0xFFFFFFFFu);
  platform::AdvanceClock(2000);
  EXPECT_EQ(timeGetTime(), 1u);
}

TEST(RealClock, NeverRunsBackwards) {
  int64_t first = Counter();
  int64_t second = Counter();
  EXPECT_LE(first, second);
  EXPECT_FALSE(platform::IsClockManual());
}
