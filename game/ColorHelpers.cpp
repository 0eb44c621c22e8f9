// Built without floating-point contraction (see CMakeLists.txt): a fused multiply-add would put
// the grey of white a hair below 255, and truncation would make it 254.
#include "ColorHelpers.h"

#include <cmath>

namespace {

// Red, green and blue each through the operation, then clamped; alpha kept.
template <typename Operation>
ColorRgba EachChannel(ColorRgba color, Operation operation) {
  return {ClampToByte(operation(color.red)), ClampToByte(operation(color.green)),
          ClampToByte(operation(color.blue)), color.alpha};
}

}  // namespace

ColorRgba ColorUnpack(uint32_t packed) {
  return {static_cast<uint8_t>(packed), static_cast<uint8_t>(packed >> 8),
          static_cast<uint8_t>(packed >> 16), static_cast<uint8_t>(packed >> 24)};
}

uint32_t ColorPack(ColorRgba color) {
  return uint32_t{color.alpha} << 24 | uint32_t{color.blue} << 16 | uint32_t{color.green} << 8 |
         color.red;
}

uint8_t ClampToByte(double value) {
  if (std::isnan(value)) return 0;
  if (value > 255.0) return 255;
  if (value < 0.0) return 0;
  return static_cast<uint8_t>(value);
}

uint8_t ClampIntToByte(int value) {
  if (value > 255) return 255;
  if (value < 0) return 0;
  return static_cast<uint8_t>(value);
}

ColorRgba AddRgba(ColorRgba color, double value) {
  return EachChannel(color, [value](double c) { return c + value; });
}

ColorRgba SubtractRgba(ColorRgba color, double value) {
  return EachChannel(color, [value](double c) { return c - value; });
}

ColorRgba MultiplyRgba(ColorRgba color, double factor) {
  return EachChannel(color, [factor](double c) { return c * factor; });
}

ColorRgba DivideRgba(ColorRgba color, double divisor) {
  return EachChannel(color, [divisor](double c) { return c / divisor; });
}

ColorRgba GreyRgba(ColorRgba color) {
  double grey = 0.299 * color.red + 0.587 * color.green + 0.114 * color.blue;
  uint8_t value = ClampIntToByte(static_cast<int>(grey));
  return {value, value, value, color.alpha};
}

ColorRgba ScaleRedRgba(ColorRgba color, double factor) {
  color.red = ClampToByte(color.red * factor);
  return color;
}

uint32_t ColorAdd(uint32_t color, double value) {
  return ColorPack(AddRgba(ColorUnpack(color), value));
}

uint32_t ColorSubtract(uint32_t color, double value) {
  return ColorPack(SubtractRgba(ColorUnpack(color), value));
}

uint32_t ColorMultiply(uint32_t color, double factor) {
  return ColorPack(MultiplyRgba(ColorUnpack(color), factor));
}

uint32_t ColorDivide(uint32_t color, double divisor) {
  return ColorPack(DivideRgba(ColorUnpack(color), divisor));
}

uint32_t ColorToGrey(uint32_t color) {
  return ColorPack(GreyRgba(ColorUnpack(color)));
}

uint32_t ColorScaleRed(uint32_t color, double factor) {
  return ColorPack(ScaleRedRgba(ColorUnpack(color), factor));
}
