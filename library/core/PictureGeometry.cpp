#include "PictureGeometry.h"

#include <climits>
#include <cmath>
#include <utility>

namespace {

constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;

float Divide(float value, float size) {
  return size != 0.0f ? value / size : 0.0f;
}

BlitPlacement Unturned(float dx, float dy, float width, float height) {
  return {{dx, dy}, {0.0f, 0.0f}, width, height, 0.0f, 1.0f};
}

// The drawn size of a source rectangle; the integer forms cut it to whole pixels.
PointF DrawnSize(RectF source, bool wholePixels) {
  float width = source.x2 - source.x1, height = source.y2 - source.y1;
  if (wholePixels)
    return {static_cast<float>(Truncate16(width)), static_cast<float>(Truncate16(height))};
  return {width, height};
}

// A placement turned and zoomed about the pivot, from the drawn rectangle's top-left.
BlitPlacement AboutPivot(float dx, float dy, PointF size, PointF pivot, float angle, float zoom,
                         bool wholePixels) {
  if (wholePixels) {
    pivot = {static_cast<float>(Truncate16(pivot.x)), static_cast<float>(Truncate16(pivot.y))};
  }
  return {{dx + pivot.x, dy + pivot.y}, pivot, size.x, size.y, angle, zoom};
}

}  // namespace

int Truncate(float value) {
  if (!(value == value)) return 0;
  if (value >= static_cast<float>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<float>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

int16_t Truncate16(float value) {
  int whole = Truncate(value);
  if (whole > INT16_MAX) return INT16_MAX;
  if (whole < INT16_MIN) return INT16_MIN;
  return static_cast<int16_t>(whole);
}

RectF TruncateRect(RectF rect) {
  return {static_cast<float>(Truncate(rect.x1)), static_cast<float>(Truncate(rect.y1)),
          static_cast<float>(Truncate(rect.x2)), static_cast<float>(Truncate(rect.y2))};
}

TexCoords BlitTexCoords(RectF source, float textureWidth, float textureHeight, bool flipX,
                        bool flipY) {
  TexCoords coords = {Divide(source.x1, textureWidth), Divide(source.y1, textureHeight),
                      Divide(source.x2, textureWidth), Divide(source.y2, textureHeight)};
  if (flipX) std::swap(coords.uLeft, coords.uRight);
  if (flipY) std::swap(coords.vTop, coords.vBottom);
  return coords;
}

PointF CentrePivot(RectF rect, float cx, float cy) {
  return {(rect.x2 - rect.x1) * 0.5f + cx, (rect.y2 - rect.y1) * 0.5f + cy};
}

BlitPlacement PlaceBlit(RectF source, float dx, float dy, bool wholePixels) {
  PointF size = DrawnSize(source, wholePixels);
  return Unturned(dx, dy, size.x, size.y);
}

BlitPlacement PlaceRotateZoom(RectF source, float dx, float dy, float angle, float zoom,
                              bool wholePixels) {
  return AboutPivot(dx, dy, DrawnSize(source, wholePixels), CentrePivot(source, 0.0f, 0.0f), angle,
                    zoom, wholePixels);
}

BlitPlacement PlaceFx(RectF source, float dx, float dy, float angle, float zoom, float cx, float cy,
                      bool wholePixels) {
  PointF size = DrawnSize(source, wholePixels);
  if (angle == 0.0f && zoom == 1.0f) return Unturned(dx, dy, size.x, size.y);
  return AboutPivot(dx, dy, size, CentrePivot(source, cx, cy), angle, zoom, wholePixels);
}

bool FxDraws(float zoom, float alpha) {
  return zoom != 0.0f && alpha > 0.0f;
}

BlitPlacement PlaceStretch(RectF destination, float angle, float cx, float cy) {
  RectF corners = TruncateRect(destination);
  PointF size = {corners.x2 - corners.x1, corners.y2 - corners.y1};
  if (angle == 0.0f) return Unturned(corners.x1, corners.y1, size.x, size.y);
  return AboutPivot(corners.x1, corners.y1, size, CentrePivot(destination, cx, cy), angle, 1.0f,
                    false);
}

BlitPlacement PlaceTiled(int16_t x, int16_t y, int16_t width, int16_t height, float angle) {
  int hw = width / 2, hh = height / 2;
  return {{static_cast<float>(x + hw), static_cast<float>(y + hh)},
          {static_cast<float>(hw), static_cast<float>(hh)},
          static_cast<float>(2 * hw),
          static_cast<float>(2 * hh),
          angle,
          1.0f};
}

Quad PlaceQuad(const BlitPlacement& placement, const TexCoords& texCoords) {
  float cosine = placement.zoom, sine = 0.0f;
  if (placement.angle != 0.0f) {
    float turn = placement.angle * kRadiansPerDegree;
    cosine = placement.zoom * std::cos(turn);
    sine = placement.zoom * std::sin(turn);
  }
  const float left = -placement.pivot.x, top = -placement.pivot.y;
  const float right = left + placement.width, bottom = top + placement.height;
  const QuadCorner unplaced[4] = {{left, top, texCoords.uLeft, texCoords.vTop},
                                  {left, bottom, texCoords.uLeft, texCoords.vBottom},
                                  {right, bottom, texCoords.uRight, texCoords.vBottom},
                                  {right, top, texCoords.uRight, texCoords.vTop}};
  Quad quad;
  for (int i = 0; i < 4; ++i) {
    // Counter-clockwise on the screen, whose y grows downward.
    float ax = unplaced[i].x, ay = unplaced[i].y;
    quad.corners[i] = {placement.pivotOnScreen.x + ax * cosine + ay * sine,
                       placement.pivotOnScreen.y - ax * sine + ay * cosine, unplaced[i].u,
                       unplaced[i].v};
  }
  return quad;
}

Quad ArbitraryQuad(const PointF source[4], const PointF destination[4], float textureWidth,
                   float textureHeight) {
  Quad quad;
  for (int i = 0; i < 4; ++i) {
    quad.corners[i] = {static_cast<float>(Truncate(destination[i].x)),
                       static_cast<float>(Truncate(destination[i].y)),
                       Divide(source[i].x, textureWidth), Divide(source[i].y, textureHeight)};
  }
  return quad;
}
