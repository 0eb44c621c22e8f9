#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "ColorHelpers.h"

namespace {

constexpr uint32_t Packed(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha) {
  return alpha << 24 | blue << 16 | green << 8 | red;
}

TEST(ColorHelpers, PackingRoundTripsEveryChannelWithAlphaAbove127) {
  ColorRgba color = ColorUnpack(Packed(0, 0, 255, 128));
  EXPECT_EQ(color.red, 0);
  EXPECT_EQ(color.green, 0);
  EXPECT_EQ(color.blue, 255);
  EXPECT_EQ(color.alpha, 128);
  EXPECT_EQ(ColorPack(color), Packed(0, 0, 255, 128));
  EXPECT_EQ(ColorPack({1, 2, 3, 255}), Packed(1, 2, 3, 255));
}

TEST(ColorHelpers, ClampsHoldValuesToAByteAndTruncateTowardZero) {
  struct Case {
    double value;
    int expected;
  } cases[] = {{255.0, 255},
               {254.99, 254},
               {255.5, 255},
               {-0.5, 0},
               {0.9, 0},
               {std::numeric_limits<double>::infinity(), 255},
               {-std::numeric_limits<double>::infinity(), 0},
               {std::nan(""), 0}};
  for (const Case& c : cases) EXPECT_EQ(ClampToByte(c.value), c.expected) << c.value;
  EXPECT_EQ(ClampIntToByte(256), 255);
  EXPECT_EQ(ClampIntToByte(-1), 0);
  EXPECT_EQ(ClampIntToByte(77), 77);
}

// Alpha 200 throughout: no operation touches it.
TEST(ColorHelpers, EachOperationChangesRedGreenAndBlueOnly) {
  struct Case {
    const char* what;
    std::function<uint32_t()> operation;
    uint32_t expected;
  } cases[] = {
      {"add, clamped and truncated", [] { return ColorAdd(Packed(250, 10, 0, 200), 10.5); },
       Packed(255, 20, 10, 200)},
      {"add a fraction", [] { return ColorAdd(Packed(10, 0, 3, 200), 0.9); },
       Packed(10, 0, 3, 200)},
      {"subtract 300", [] { return ColorSubtract(Packed(255, 128, 1, 200), 300); },
       Packed(0, 0, 0, 200)},
      {"multiply", [] { return ColorMultiply(Packed(100, 200, 3, 200), 1.5); },
       Packed(150, 255, 4, 200)},
      {"divide by 0", [] { return ColorDivide(Packed(1, 0, 255, 200), 0); },
       Packed(255, 0, 255, 200)},
      {"divide by a negative number", [] { return ColorDivide(Packed(1, 0, 255, 200), -2); },
       Packed(0, 0, 0, 200)},
      {"grey of white", [] { return ColorToGrey(Packed(255, 255, 255, 200)); },
       Packed(255, 255, 255, 200)},
      {"grey of red", [] { return ColorToGrey(Packed(255, 0, 0, 200)); }, Packed(76, 76, 76, 200)},
      {"grey of a mix", [] { return ColorToGrey(Packed(10, 100, 200, 200)); },
       Packed(84, 84, 84, 200)},
      {"scale red", [] { return ColorScaleRed(Packed(60, 70, 80, 200), 2); },
       Packed(120, 70, 80, 200)},
      {"scale red past a byte", [] { return ColorScaleRed(Packed(200, 70, 80, 200), 2); },
       Packed(255, 70, 80, 200)},
  };
  for (const Case& c : cases) EXPECT_EQ(c.operation(), c.expected) << c.what;
}

}  // namespace
