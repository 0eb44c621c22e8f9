// An RGBA picture in floating point with anti-aliased shape filling. Shapes are given as signed
// distance functions (negative inside), so every edge gets one pixel of smooth coverage.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

struct Colour {
  float r = 0, g = 0, b = 0, a = 1;
};

Colour Mix(Colour from, Colour to, float t);
Colour Shade(Colour colour, float factor);
Colour WithAlpha(Colour colour, float alpha);

struct Box {
  int left, top, right, bottom;  // right and bottom exclusive
};

using Distance = std::function<float(float x, float y)>;
using Paint = std::function<Colour(float x, float y)>;

class Canvas {
 public:
  Canvas(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }

  // Source-over blending of one pixel with the given coverage (0 to 1); outside pixels are ignored.
  void Blend(int x, int y, Colour colour, float coverage);
  void Fill(const Paint& paint);
  // Fills where distance < 0 inside the box, with a one-pixel smooth edge.
  void FillShape(Box box, const Distance& distance, const Paint& paint);
  void FillShape(Box box, const Distance& distance, Colour colour);

  std::vector<uint8_t> ToRgba8() const;
  std::vector<uint8_t> ToRgb8() const;

 private:
  int width_, height_;
  std::vector<Colour> pixels_;
};

// Signed distances of basic shapes, centred where the arguments say.
float CircleDistance(float x, float y, float cx, float cy, float radius);
float RoundedBoxDistance(float x, float y, float left, float top, float right, float bottom,
                         float radius);
float SegmentDistance(float x, float y, float x0, float y0, float x1, float y1, float halfWidth);
float TriangleDistance(float x, float y, float ax, float ay, float bx, float by, float cx,
                       float cy);
