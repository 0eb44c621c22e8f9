#include "KPictureGeometry.h"

#include <climits>
#include <cmath>
#include <utility>

namespace {

constexpr float kRadiansPerDegree = 3.14159265f / 180.0f;

float Divide(float value, float size) {
  return size != 0.0f ? value / size : 0.0f;
}

KBlitPlacement Unturned(float dx, float dy, float width, float height) {
  return {{dx, dy}, {0.0f, 0.0f}, width, height, 0.0f, 1.0f};
}

// The drawn size of a source rectangle; the integer forms cut it to whole pixels.
KPoint DrawnSize(KRectF source, bool wholePixels) {
  float width = source.x2 - source.x1, height = source.y2 - source.y1;
  if (wholePixels)
    return {static_cast<float>(KTruncate16(width)), static_cast<float>(KTruncate16(height))};
  return {width, height};
}

// A placement turned and zoomed about the pivot (hw, hh) from the drawn rectangle's top-left.
KBlitPlacement AboutPivot(float dx, float dy, KPoint size, float hw, float hh, float angle,
                          float zoom, bool wholePixels) {
  if (wholePixels) {
    hw = static_cast<float>(KTruncate16(hw));
    hh = static_cast<float>(KTruncate16(hh));
  }
  return {{dx + hw, dy + hh}, {hw, hh}, size.x, size.y, angle, zoom};
}

}  // namespace

int KTruncate(float value) {
  if (!(value == value)) return 0;
  if (value >= static_cast<float>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<float>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

int16_t KTruncate16(float value) {
  int whole = KTruncate(value);
  if (whole > INT16_MAX) return INT16_MAX;
  if (whole < INT16_MIN) return INT16_MIN;
  return static_cast<int16_t>(whole);
}

KRectF KTruncateRect(KRectF rect) {
  return {static_cast<float>(KTruncate(rect.x1)), static_cast<float>(KTruncate(rect.y1)),
          static_cast<float>(KTruncate(rect.x2)), static_cast<float>(KTruncate(rect.y2))};
}

KTexCoords KBlitTexCoords(KRectF source, float textureWidth, float textureHeight, bool flipX,
                          bool flipY) {
  KTexCoords coords = {Divide(source.x1, textureWidth), Divide(source.y1, textureHeight),
                       Divide(source.x2, textureWidth), Divide(source.y2, textureHeight)};
  if (flipX) std::swap(coords.uLeft, coords.uRight);
  if (flipY) std::swap(coords.vTop, coords.vBottom);
  return coords;
}

KPoint KPlacePoint(const KBlitPlacement& placement, KPoint point) {
  float ax = point.x - placement.pivot.x, ay = point.y - placement.pivot.y;
  float turn = placement.angle * kRadiansPerDegree;
  float cosine = std::cos(turn), sine = std::sin(turn);
  return {placement.pivotOnScreen.x + placement.zoom * (ax * cosine + ay * sine),
          placement.pivotOnScreen.y + placement.zoom * (-ax * sine + ay * cosine)};
}

KQuad KPlaceQuad(const KBlitPlacement& placement, const KTexCoords& texCoords) {
  const float w = placement.width, h = placement.height;
  const KQuadCorner unplaced[4] = {{0, 0, texCoords.uLeft, texCoords.vTop},
                                   {0, h, texCoords.uLeft, texCoords.vBottom},
                                   {w, h, texCoords.uRight, texCoords.vBottom},
                                   {w, 0, texCoords.uRight, texCoords.vTop}};
  KQuad quad;
  for (int i = 0; i < 4; ++i) {
    KPoint screen = KPlacePoint(placement, {unplaced[i].x, unplaced[i].y});
    quad.corners[i] = {screen.x, screen.y, unplaced[i].u, unplaced[i].v};
  }
  return quad;
}

KBlitPlacement KPlaceBlit(KRectF source, float dx, float dy, bool wholePixels) {
  KPoint size = DrawnSize(source, wholePixels);
  return Unturned(dx, dy, size.x, size.y);
}

KBlitPlacement KPlaceRotateZoom(KRectF source, float dx, float dy, float angle, float zoom,
                                bool wholePixels) {
  KPoint size = DrawnSize(source, wholePixels);
  float hw = (source.x2 - source.x1) * 0.5f, hh = (source.y2 - source.y1) * 0.5f;
  return AboutPivot(dx, dy, size, hw, hh, angle, zoom, wholePixels);
}

KBlitPlacement KPlaceFx(KRectF source, float dx, float dy, float angle, float zoom, float cx,
                        float cy, bool wholePixels) {
  KPoint size = DrawnSize(source, wholePixels);
  if (angle == 0.0f && zoom == 1.0f) return Unturned(dx, dy, size.x, size.y);
  float hw = (source.x2 - source.x1) * 0.5f + cx, hh = (source.y2 - source.y1) * 0.5f + cy;
  return AboutPivot(dx, dy, size, hw, hh, angle, zoom, wholePixels);
}

bool KFxDraws(float zoom, float alpha) {
  return zoom != 0.0f && alpha > 0.0f;
}

KBlitPlacement KPlaceStretch(KRectF destination, float angle, float cx, float cy) {
  KRectF corners = KTruncateRect(destination);
  KPoint size = {corners.x2 - corners.x1, corners.y2 - corners.y1};
  if (angle == 0.0f) return Unturned(corners.x1, corners.y1, size.x, size.y);
  float hw = (destination.x2 - destination.x1) * 0.5f + cx;
  float hh = (destination.y2 - destination.y1) * 0.5f + cy;
  return AboutPivot(corners.x1, corners.y1, size, hw, hh, angle, 1.0f, false);
}

KQuad KTiledQuad(int16_t x, int16_t y, int16_t width, int16_t height, float repeat, float angle) {
  int hw = width / 2, hh = height / 2;
  KBlitPlacement placement = {{static_cast<float>(x + hw), static_cast<float>(y + hh)},
                              {static_cast<float>(hw), static_cast<float>(hh)},
                              static_cast<float>(2 * hw),
                              static_cast<float>(2 * hh),
                              angle,
                              1.0f};
  return KPlaceQuad(placement, {repeat, repeat, 0.0f, 0.0f});
}

KQuad KArbitraryQuad(const KPoint source[4], const KPoint destination[4], float textureWidth,
                     float textureHeight) {
  KQuad quad;
  for (int i = 0; i < 4; ++i) {
    quad.corners[i] = {static_cast<float>(KTruncate(destination[i].x)),
                       static_cast<float>(KTruncate(destination[i].y)),
                       Divide(source[i].x, textureWidth), Divide(source[i].y, textureHeight)};
  }
  return quad;
}
