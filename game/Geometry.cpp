#include "Geometry.h"

#include <cmath>

Vector2& Vector2::Scale(float k) {
  x *= k;
  y *= k;
  return *this;
}

float Vector2::AngleTo(Vector2 b) const {
  return std::atan2(Cross(b), Dot(b));
}

Vector2& Vector2::Rotate(float radians) {
  float c = std::cos(radians);
  float s = std::sin(radians);
  float oldX = x;
  x = c * oldX - s * y;
  y = s * oldX + c * y;
  return *this;
}

void Vector2::Add(Vector2 b) {
  x += b.x;
  y += b.y;
}

void Vector2::Subtract(Vector2 b) {
  x -= b.x;
  y -= b.y;
}

void Vector2::Clamp(Vector2 min, Vector2 max) {
  if (x < min.x) {
    x = min.x;
  } else if (x > max.x) {
    x = max.x;
  }
  if (y < min.y) {
    y = min.y;
  } else if (y > max.y) {
    y = max.y;
  }
}

bool PointInRect(Vector2 point, float x, float y, float w, float h) {
  return x < point.x && point.x < x + w && y < point.y && point.y < y + h;
}

namespace {

bool CornerHit(float dx, float dy, float radiusSquared) {
  return dx * dx + dy * dy < radiusSquared;
}

}  // namespace

bool CircleRectHit(Circle c, Rect r, int* side) {
  float radiusSquared = c.radius * c.radius;
  float left = r.position.x - c.centre.x;
  float right = left + r.size.x;
  float top = r.position.y - c.centre.y;
  float bottom = top + r.size.y;

  int nearest;
  bool hit;
  if (right < 0) {
    if (bottom < 0) {
      nearest = kSideCornerOrInside;
      hit = CornerHit(right, bottom, radiusSquared);
    } else if (top > 0) {
      nearest = kSideCornerOrInside;
      hit = CornerHit(right, top, radiusSquared);
    } else {
      nearest = kSideLeftOfCentre;
      hit = std::fabs(right) < c.radius;
    }
  } else if (left > 0) {
    if (bottom < 0) {
      nearest = kSideCornerOrInside;
      hit = CornerHit(left, bottom, radiusSquared);
    } else if (top > 0) {
      nearest = kSideCornerOrInside;
      hit = CornerHit(left, top, radiusSquared);
    } else {
      nearest = kSideRightOfCentre;
      hit = left < c.radius;
    }
  } else if (bottom < 0) {
    nearest = kSideAboveCentre;
    hit = std::fabs(bottom) < c.radius;
  } else if (top > 0) {
    nearest = kSideBelowCentre;
    hit = top < c.radius;
  } else {
    nearest = kSideCornerOrInside;
    hit = true;
  }
  if (side) *side = nearest;
  return hit;
}
