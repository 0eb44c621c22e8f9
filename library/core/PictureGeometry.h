// Where a blit's quad lands on the screen and which texels it shows: flips, turning, zoom and
// the cut to whole pixels, for both picture variants. Everything is in screen pixels, y downward;
// a positive angle turns counter-clockwise as seen on the screen.
//
// A renderer builds a blit from two pieces: the texture coordinates of the source rectangle
// (BlitTexCoords) and the placement of the drawn rectangle (one of the Place... functions, or its
// own on CentrePivot where its contract differs), whose pivot, angle and zoom it turns into a
// transformation of its own.
#pragma once

#include <cstdint>

struct PointF {
  float x, y;
};

// A source rectangle: (x1, y1) is drawn at the destination's top-left, (x2, y2) at the opposite
// corner; a destination rectangle likewise.
struct RectF {
  float x1, y1, x2, y2;
};

// A float cut to an integer toward zero, limited to the int range (NaN gives 0).
int Truncate(float value);
// The same, limited to the 16-bit range of the integer blit forms.
int16_t Truncate16(float value);
// Each corner of the rectangle cut toward zero.
RectF TruncateRect(RectF rect);

// Texture coordinates of a source rectangle in a texture of the given size: flipX exchanges the
// left and right edge, flipY the top and bottom edge (both: half a turn in the same place).
// A texture of size 0 gives coordinates 0.
struct TexCoords {
  float uLeft, vTop, uRight, vBottom;
};
TexCoords BlitTexCoords(RectF source, float textureWidth, float textureHeight, bool flipX,
                        bool flipY);

// A drawn rectangle of width x height whose pivot, (pivot.x, pivot.y) from its top-left corner,
// lands on the screen at pivotOnScreen; it is scaled by zoom and turned by angle about the pivot.
// The point p of the rectangle (from its top-left corner) thus lands at pivotOnScreen +
// zoom (ax cos t + ay sin t, -ax sin t + ay cos t), with (ax, ay) = p - pivot and t the angle
// in degrees.
struct BlitPlacement {
  PointF pivotOnScreen;
  PointF pivot;
  float width, height;
  float angle;
  float zoom;

  bool Transforms() const { return angle != 0.0f || zoom != 1.0f; }
};

// The pivot of the turning blits, from the top-left corner of rect: its centre moved by (cx, cy).
PointF CentrePivot(RectF rect, float cx, float cy);

// The placements of the shared picture contract. wholePixels is true for the 16-bit destination
// forms, which cut the drawn size (and the turning forms' centre offsets) to whole pixels.
//
// BlitRect, BlitAlphaRect and their float twins: the source at its own size at (dx, dy).
BlitPlacement PlaceBlit(RectF source, float dx, float dy, bool wholePixels);
// BlitRectRotateZoom and its twin: turned and zoomed about the centre of the destination rectangle.
BlitPlacement PlaceRotateZoom(RectF source, float dx, float dy, float angle, float zoom,
                              bool wholePixels);
// BlitAlphaRectFx and its twin: turned and zoomed about the point ((sx2 - sx1) / 2 + cx,
// (sy2 - sy1) / 2 + cy) of the destination rectangle; with angle 0 and zoom 1 cx and cy have no
// effect.
BlitPlacement PlaceFx(RectF source, float dx, float dy, float angle, float zoom, float cx, float cy,
                      bool wholePixels);
// Whether a BlitAlphaRectFx draws at all: not for zoom 0 nor for an alpha that is not above 0.
bool FxDraws(float zoom, float alpha);
// StretchAlphaRect: the destination rectangle with its corners cut to whole pixels, turned by
// angle about the point ((dx2 - dx1) / 2 + cx, (dy2 - dy1) / 2 + cy) from its top-left corner.
BlitPlacement PlaceStretch(RectF destination, float angle, float cx, float cy);

// BlitTiled: the rectangle (x, y, width, height) turned about its centre; its half sizes are
// integer divisions, so an odd side loses its last pixel.
BlitPlacement PlaceTiled(int16_t x, int16_t y, int16_t width, int16_t height, float angle);
// The tiles show the texture repeat times on each axis, half-turned: the top-left takes
// (repeat, repeat), the bottom-right (0, 0).
inline TexCoords TiledTexCoords(float repeat) {
  return {repeat, repeat, 0.0f, 0.0f};
}

struct QuadCorner {
  float x, y, u, v;
};
struct Quad {
  QuadCorner corners[4];
};

// The four corners of a placed rectangle on the screen, turned and zoomed about its pivot, each
// with its texture coordinates, in the order top-left, bottom-left, bottom-right, top-right of
// the unturned rectangle.
Quad PlaceQuad(const BlitPlacement& placement, const TexCoords& texCoords);

// BlitArbitraryQuad: the four destination points cut to whole pixels, each with its source point
// divided by the texture size, in the order given.
Quad ArbitraryQuad(const PointF source[4], const PointF destination[4], float textureWidth,
                   float textureHeight);
