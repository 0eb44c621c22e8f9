// Adjustments of a colour packed in 32 bits: red in bits 0 to 7, green 8 to 15, blue 16 to 23 and
// alpha 24 to 31. Every operation works on red, green and blue in double precision, clamps each
// result to a byte and leaves alpha as it is.
#pragma once

#include <cstdint>

// The packed colour's bytes in memory order on a little-endian machine.
struct ColorRgba {
  uint8_t red;
  uint8_t green;
  uint8_t blue;
  uint8_t alpha;
};

ColorRgba ColorUnpack(uint32_t packed);
uint32_t ColorPack(ColorRgba color);

// Above 255 gives 255, below 0 gives 0, otherwise truncated toward zero; NaN gives 0.
uint8_t ClampToByte(double value);
uint8_t ClampIntToByte(int value);

ColorRgba AddRgba(ColorRgba color, double value);
ColorRgba SubtractRgba(ColorRgba color, double value);
ColorRgba MultiplyRgba(ColorRgba color, double factor);
ColorRgba DivideRgba(ColorRgba color, double divisor);
// Red, green and blue all set to 0.299 red + 0.587 green + 0.114 blue, truncated.
ColorRgba GreyRgba(ColorRgba color);
ColorRgba ScaleRedRgba(ColorRgba color, double factor);

uint32_t ColorAdd(uint32_t color, double value);
uint32_t ColorSubtract(uint32_t color, double value);
uint32_t ColorMultiply(uint32_t color, double factor);
uint32_t ColorDivide(uint32_t color, double divisor);
uint32_t ColorToGrey(uint32_t color);
uint32_t ColorScaleRed(uint32_t color, double factor);
