// The picture: one texture plus the settings it is drawn with. KGraphicDX and KGraphicGL are its
// two renderer variants; KFactory::CreateGraphic picks one, and pictures are deleted through the
// virtual destructor.
//
// Coordinates: screen pixels from the top-left corner, y downward. A source rectangle (sx1, sy1,
// sx2, sy2) is in picture pixels; (sx1, sy1) is drawn at the destination's top-left. The forms with
// a 16-bit destination cut the drawn size to whole pixels, the float forms keep fractions. Angles
// are degrees, positive turning counter-clockwise on the screen. Colours are four floats 0 to 1.
#pragma once

#include <cstdint>

// The pair of blend factors of every blended blit of a picture.
typedef int KBlendMode;
enum : int {
  K_BLEND_SRCALPHA_DSTALPHA = 0,     // source alpha, destination alpha
  K_BLEND_SRCALPHA_INVSRCALPHA = 1,  // source alpha, one minus source alpha (the default)
  K_BLEND_ONE_INVSRCALPHA = 2,       // one, one minus source alpha
  K_BLEND_ZERO_INVSRCALPHA = 3,      // zero, one minus source alpha
};

// The file format of a window's saved back buffer.
typedef int KImageFormat;
enum : int { K_IMAGE_BMP = 0, K_IMAGE_JPG = 1, K_IMAGE_TGA = 2, K_IMAGE_PNG = 3 };

// Called for every screen pixel of a filtered grab; the colour left in red, green and blue is
// stored in the picture.
typedef void (*GrabFilter)(int x, int y, unsigned char* red, unsigned char* green,
                           unsigned char* blue);

class KGraphic {
 public:
  virtual ~KGraphic() = default;

  // Frees the current texture and loads an image file: hiQuality asks for 8 bits a channel, alpha
  // for an alpha channel. False on failure, without a message.
  virtual bool LoadPicture(const char* path, bool hiQuality, bool alpha) = 0;
  virtual void FreePicture() = 0;
  virtual float GetWidth() = 0;
  virtual float GetHeight() = 0;
  // Bilinear filtering when smooth, else the nearest texel.
  virtual void SetTextureQuality(bool smooth) = 0;

  // Untextured drawing in the given colour.
  virtual void DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b,
                        float a) = 0;
  virtual void DrawLine(float x1, float y1, float x2, float y2, float r, float g, float b,
                        float a) = 0;
  virtual void PlotPixel(float x, float y, float r, float g, float b, float a) = 0;

  // The source rectangle at (dx, dy) at its own size, unblended, without the blit colour.
  virtual void BlitRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                        bool flipX, bool flipY) = 0;
  // As BlitRect, turned by angle and scaled by zoom; zoom 0 draws nothing.
  virtual void BlitRectRotateZoom(float sx1, float sy1, float sx2, float sy2, int16_t dx,
                                  int16_t dy, float angle, float zoom, bool flipX, bool flipY) = 0;
  // As BlitRect, blended with the blend mode and tinted with the blit colour.
  virtual void BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                             bool flipX, bool flipY) = 0;
  // Blended, turned and zoomed about the point ((sx2 - sx1) / 2 + cx, (sy2 - sy1) / 2 + cy) of the
  // destination rectangle, with alpha applied; nothing when zoom is 0 or alpha is not above 0.
  virtual void BlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                               float angle, float zoom, float alpha, bool flipX, bool flipY,
                               float cx, float cy) = 0;
  virtual void BlitRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                         bool flipY) = 0;
  virtual void BlitRectRotateZoomF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                   float angle, float zoom, bool flipX, bool flipY) = 0;
  virtual void BlitAlphaRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                              bool flipX, bool flipY) = 0;
  virtual void BlitAlphaRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                                float angle, float zoom, float alpha, bool flipX, bool flipY,
                                float cx, float cy) = 0;
  // Fills (x, y, width, height) with the texture repeated repeat times on each axis, turned by
  // angle about the rectangle's centre; unblended.
  virtual void BlitTiled(int16_t x, int16_t y, int16_t width, int16_t height, float repeat,
                         float angle) = 0;
  // Maps four source points (picture pixels) onto four screen points, drawn as one
  // quadrilateral in the order 1, 2, 3, 4; blended and tinted as BlitAlphaRect.
  virtual void BlitArbitraryQuad(float sx1, float sy1, float sx2, float sy2, float sx3, float sy3,
                                 float sx4, float sy4, float dx1, float dy1, float dx2, float dy2,
                                 float dx3, float dy3, float dx4, float dy4) = 0;
  // Sets the KBlendMode; other values leave the mode unchanged.
  virtual void SetBlitMode(int mode) = 0;
  // The source stretched onto (dx1, dy1)-(dx2, dy2), blended, turned by angle about the point
  // ((dx2 - dx1) / 2 + cx, (dy2 - dy1) / 2 + cy) of the destination.
  virtual void StretchAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx1, float dy1,
                                float dx2, float dy2, float alpha, float angle, bool flipX,
                                bool flipY, float cx, float cy) = 0;
  // Copies the back buffer into the picture through the filter (none: unchanged); the colour key
  // applies. False when memory runs out.
  virtual bool GrabBackBufferFiltered(GrabFilter filter) = 0;
  // Copies the screen into the picture, opaque. False when memory runs out.
  virtual bool GrabBackBuffer() = 0;
  // Pixels whose red, green and blue equal the key get alpha 0 at the next load, make or grab.
  virtual void SetColorKey(bool on, uint8_t r, uint8_t g, uint8_t b) = 0;
  // Repeat (true) or clamp to the edge, on both axes.
  virtual void SetTextureWrap(bool repeat) = 0;
  // All four exactly 1: no tint. Otherwise the tint, each component clamped to 0 to 1.
  virtual void SetBlitColor(float r, float g, float b, float a) = 0;
  // Builds the texture from a caller-owned array (one u32 a pixel, bytes red, green, blue, alpha
  // in memory order, top row first). False for a null array or a side below 1.
  virtual bool MakePictureFromArray(uint32_t* pixels, int width, int height, bool hiQuality) = 0;
  // Uploads the kept array again, without colour key.
  virtual void UpdatePictureFromArray() = 0;
  // Binds the picture as a repeating texture for the 3D objects.
  virtual void BindRepeat() = 0;
};
