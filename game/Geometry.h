// The game's 2-D geometry: vectors, circles, rectangles and the circle-against-rectangle test that
// every collision uses. Coordinates are window pixels, y growing downward.
#pragma once

struct Vector2 {
  float x;
  float y;

  void Set(float newX, float newY) {
    x = newX;
    y = newY;
  }
  Vector2& Scale(float k);
  float Dot(Vector2 b) const { return x * b.x + y * b.y; }
  float Cross(Vector2 b) const { return x * b.y - y * b.x; }
  // The signed angle in radians that turns this vector onto b.
  float AngleTo(Vector2 b) const;
  Vector2& Rotate(float radians);
  void Add(Vector2 b);
  void Subtract(Vector2 b);
  Vector2 Sum(Vector2 b) const { return {x + b.x, y + b.y}; }
  // Each coordinate on its own: below min becomes min, else above max becomes max.
  void Clamp(Vector2 min, Vector2 max);
};

struct Circle {
  Vector2 centre;
  float radius;
};

struct Rect {
  Vector2 position;  // top-left corner
  Vector2 size;      // width, height
};

// True when the point lies strictly inside the rectangle (x, y, w, h): its border is outside.
bool PointInRect(Vector2 point, float x, float y, float w, float h);

// Which part of the rectangle is nearest to the circle's centre, written whether or not they meet.
enum RectSide {
  kSideRightOfCentre = 0,
  kSideAboveCentre = 1,
  kSideLeftOfCentre = 2,
  kSideBelowCentre = 3,
  kSideCornerOrInside = 4,
};

// True when the circle and the rectangle overlap; touching is no hit.
bool CircleRectHit(Circle c, Rect r, int* side);
