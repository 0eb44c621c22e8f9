// Where a blit's quad lands on the screen and which texels it shows: flips, turning, zoom and
// the cut to whole pixels, for both picture variants. Everything is in screen pixels, y downward;
// a positive angle turns counter-clockwise as seen on the screen.
//
// A renderer builds a blit from three pieces: the texture coordinates of the source rectangle
// (KBlitTexCoords), the placement of the drawn rectangle (one of the KPlace... functions, or its
// own when its contract differs), and the screen corners of that placement (KPlaceQuad), or the
// placement's pivot, angle and zoom as a transformation of its own.
#pragma once

#include <cstdint>

struct KPoint {
  float x, y;
};

// A source rectangle: (x1, y1) is drawn at the destination's top-left, (x2, y2) at the opposite
// corner; a destination rectangle likewise.
struct KRectF {
  float x1, y1, x2, y2;
};

// A float cut to an integer toward zero, limited to the int range (NaN gives 0).
int KTruncate(float value);
// The same, limited to the 16-bit range of the integer blit forms.
int16_t KTruncate16(float value);
// Each corner of the rectangle cut toward zero.
KRectF KTruncateRect(KRectF rect);

// Texture coordinates of a source rectangle in a texture of the given size: flipX exchanges the
// left and right edge, flipY the top and bottom edge (both: half a turn in the same place).
// A texture of size 0 gives coordinates 0.
struct KTexCoords {
  float uLeft, vTop, uRight, vBottom;
};
KTexCoords KBlitTexCoords(KRectF source, float textureWidth, float textureHeight, bool flipX,
                          bool flipY);

// A drawn rectangle of width x height whose pivot, (pivot.x, pivot.y) from its top-left corner,
// lands on the screen at pivotOnScreen; it is scaled by zoom and turned by angle about the pivot.
struct KBlitPlacement {
  KPoint pivotOnScreen;
  KPoint pivot;
  float width, height;
  float angle;
  float zoom;

  bool Transforms() const { return angle != 0.0f || zoom != 1.0f; }
};

// Where the point (x, y) of the drawn rectangle (from its top-left corner) lands on the screen.
KPoint KPlacePoint(const KBlitPlacement& placement, KPoint point);

// The four corners of a placed rectangle on the screen with their texture coordinates, in the
// order top-left, bottom-left, bottom-right, top-right of the unturned rectangle.
struct KQuadCorner {
  float x, y, u, v;
};
struct KQuad {
  KQuadCorner corners[4];
};
KQuad KPlaceQuad(const KBlitPlacement& placement, const KTexCoords& texCoords);

// The placements of the shared picture contract. wholePixels is true for the 16-bit destination
// forms, which cut the drawn size (and the turning forms' centre offsets) to whole pixels.
//
// BlitRect, BlitAlphaRect and their float twins: the source at its own size at (dx, dy).
KBlitPlacement KPlaceBlit(KRectF source, float dx, float dy, bool wholePixels);
// BlitRectRotateZoom and its twin: turned and zoomed about the centre of the destination rectangle.
KBlitPlacement KPlaceRotateZoom(KRectF source, float dx, float dy, float angle, float zoom,
                                bool wholePixels);
// BlitAlphaRectFx and its twin: turned and zoomed about the point ((sx2 - sx1) / 2 + cx,
// (sy2 - sy1) / 2 + cy) of the destination rectangle; with angle 0 and zoom 1 cx and cy have no
// effect.
KBlitPlacement KPlaceFx(KRectF source, float dx, float dy, float angle, float zoom, float cx,
                        float cy, bool wholePixels);
// Whether a BlitAlphaRectFx draws at all: not for zoom 0 nor for an alpha that is not above 0.
bool KFxDraws(float zoom, float alpha);
// StretchAlphaRect: the destination rectangle with its corners cut to whole pixels, turned by
// angle about the point ((dx2 - dx1) / 2 + cx, (dy2 - dy1) / 2 + cy) from its top-left corner.
KBlitPlacement KPlaceStretch(KRectF destination, float angle, float cx, float cy);

// BlitTiled: the rectangle (x, y, width, height), turned about its centre (half sizes by integer
// division), showing the texture repeat times on each axis: its top-left takes (repeat, repeat),
// bottom-left (repeat, 0), bottom-right (0, 0), top-right (0, repeat).
KQuad KTiledQuad(int16_t x, int16_t y, int16_t width, int16_t height, float repeat, float angle);

// BlitArbitraryQuad: the four destination points cut to whole pixels, each with its source point
// divided by the texture size, in the order given.
KQuad KArbitraryQuad(const KPoint source[4], const KPoint destination[4], float textureWidth,
                     float textureHeight);
