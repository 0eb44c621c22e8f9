#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "ColorHelpers.h"

namespace {

constexpr uint32_t Packed(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha) {
  return alpha << 24 | blue << 16 | green << 8 | red;
}

TEST(ColorHelpers, PackingAndClampsKeepEveryChannelInItsByte) {
  ColorRgba color = ColorUnpack(Packed(0, 0, 255, 128));
  EXPECT_TRUE(color.red == 0 && color.green == 0 && color.blue == 255 && color.alpha == 128);
  EXPECT_EQ(ColorPack(color), Packed(0, 0, 255, 128));
  const double infinity = std::numeric_limits<double>::infinity();
  std::pair<double, int> cases[] = {{255.0, 255},    {254.99, 254},  {-0.5, 0},
                                    {infinity, 255}, {-infinity, 0}, {std::nan(""), 0}};
  for (const auto& [value, expected] : cases) EXPECT_EQ(ClampToByte(value), expected) << value;
}

// Alpha 200 throughout: no operation touches it.
TEST(ColorHelpers, EachOperationChangesRedGreenAndBlueOnly) {
  std::pair<std::function<uint32_t()>, uint32_t> cases[] = {
      {[] { return ColorAdd(Packed(250, 10, 0, 200), 10.5); }, Packed(255, 20, 10, 200)},
      {[] { return ColorAdd(Packed(10, 0, 3, 200), 0.9); }, Packed(10, 0, 3, 200)},
      {[] { return ColorSubtract(Packed(255, 128, 1, 200), 300); }, Packed(0, 0, 0, 200)},
      {[] { return ColorMultiply(Packed(100, 200, 3, 200), 1.5); }, Packed(150, 255, 4, 200)},
      {[] { return ColorDivide(Packed(1, 0, 255, 200), 0); }, Packed(255, 0, 255, 200)},
      {[] { return ColorDivide(Packed(1, 0, 255, 200), -2); }, Packed(0, 0, 0, 200)},
      {[] { return ColorToGrey(Packed(255, 255, 255, 200)); }, Packed(255, 255, 255, 200)},
      {[] { return ColorToGrey(Packed(255, 0, 0, 200)); }, Packed(76, 76, 76, 200)},
      {[] { return ColorScaleRed(Packed(100, 70, 80, 200), 2); }, Packed(200, 70, 80, 200)},
  };
  for (size_t i = 0; i < std::size(cases); ++i)
    EXPECT_EQ(cases[i].first(), cases[i].second) << "case " << i;
}

}  // namespace
