#include "canvas.h"

#include <algorithm>
#include <cmath>

Colour Mix(Colour from, Colour to, float t) {
  return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t, from.b + (to.b - from.b) * t,
          from.a + (to.a - from.a) * t};
}

Colour Shade(Colour colour, float factor) {
  return {std::min(colour.r * factor, 1.0f), std::min(colour.g * factor, 1.0f),
          std::min(colour.b * factor, 1.0f), colour.a};
}

Colour WithAlpha(Colour colour, float alpha) {
  colour.a = alpha;
  return colour;
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height), pixels_(width * height, Colour{0, 0, 0, 0}) {}

void Canvas::Blend(int x, int y, Colour colour, float coverage) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  float alpha = std::clamp(colour.a * coverage, 0.0f, 1.0f);
  if (alpha <= 0.0f) return;
  Colour& dst = pixels_[y * width_ + x];
  float outAlpha = alpha + dst.a * (1.0f - alpha);
  auto channel = [&](float src, float under) {
    return (src * alpha + under * dst.a * (1.0f - alpha)) / outAlpha;
  };
  dst = {channel(colour.r, dst.r), channel(colour.g, dst.g), channel(colour.b, dst.b), outAlpha};
}

void Canvas::Fill(const Paint& paint) {
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) Blend(x, y, paint(x + 0.5f, y + 0.5f), 1.0f);
  }
}

void Canvas::FillShape(Box box, const Distance& distance, const Paint& paint) {
  int top = std::max(box.top, 0), bottom = std::min(box.bottom, height_);
  int left = std::max(box.left, 0), right = std::min(box.right, width_);
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) {
      float px = x + 0.5f, py = y + 0.5f;
      float coverage = std::clamp(0.5f - distance(px, py), 0.0f, 1.0f);
      if (coverage > 0.0f) Blend(x, y, paint(px, py), coverage);
    }
  }
}

void Canvas::FillShape(Box box, const Distance& distance, Colour colour) {
  FillShape(box, distance, [colour](float, float) { return colour; });
}

namespace {
uint8_t ToByte(float value) {
  return static_cast<uint8_t>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}
}  // namespace

std::vector<uint8_t> Canvas::ToRgba8() const {
  std::vector<uint8_t> bytes;
  bytes.reserve(pixels_.size() * 4);
  for (const Colour& c : pixels_) {
    // Fully transparent pixels keep no colour, so that they compress well and filter cleanly.
    if (ToByte(c.a) == 0) {
      bytes.insert(bytes.end(), {0, 0, 0, 0});
      continue;
    }
    bytes.insert(bytes.end(), {ToByte(c.r), ToByte(c.g), ToByte(c.b), ToByte(c.a)});
  }
  return bytes;
}

std::vector<uint8_t> Canvas::ToRgb8() const {
  std::vector<uint8_t> bytes;
  bytes.reserve(pixels_.size() * 3);
  for (const Colour& c : pixels_) {
    bytes.insert(bytes.end(), {ToByte(c.r * c.a), ToByte(c.g * c.a), ToByte(c.b * c.a)});
  }
  return bytes;
}

float CircleDistance(float x, float y, float cx, float cy, float radius) {
  return std::hypot(x - cx, y - cy) - radius;
}

float RoundedBoxDistance(float x, float y, float left, float top, float right, float bottom,
                         float radius) {
  float halfW = (right - left) / 2, halfH = (bottom - top) / 2;
  float qx = std::abs(x - (left + halfW)) - halfW + radius;
  float qy = std::abs(y - (top + halfH)) - halfH + radius;
  float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
  return outside + std::min(std::max(qx, qy), 0.0f) - radius;
}

float SegmentDistance(float x, float y, float x0, float y0, float x1, float y1, float halfWidth) {
  float dx = x1 - x0, dy = y1 - y0;
  float lengthSquared = dx * dx + dy * dy;
  float t = lengthSquared > 0
                ? std::clamp(((x - x0) * dx + (y - y0) * dy) / lengthSquared, 0.0f, 1.0f)
                : 0.0f;
  return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy)) - halfWidth;
}

float TriangleDistance(float x, float y, float ax, float ay, float bx, float by, float cx,
                       float cy) {
  float edges[3][4] = {{ax, ay, bx, by}, {bx, by, cx, cy}, {cx, cy, ax, ay}};
  float nearest = 1e9f;
  int positive = 0, negative = 0;
  for (auto& e : edges) {
    nearest = std::min(nearest, SegmentDistance(x, y, e[0], e[1], e[2], e[3], 0.0f));
    float side = (e[2] - e[0]) * (y - e[1]) - (e[3] - e[1]) * (x - e[0]);
    (side >= 0 ? positive : negative)++;
  }
  bool inside = positive == 3 || negative == 3;
  return inside ? -nearest : nearest;
}
