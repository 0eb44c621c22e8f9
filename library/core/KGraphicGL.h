// The picture on the OpenGL renderer: one OpenGL texture drawn with immediate-mode quads in the
// world view that the OpenGL window sets up (y upward, 0 at the bottom). Every live picture is
// listed, so that the window can release all textures before its context goes away.
#pragma once

#include <cstdint>
#include <vector>

#include "KGraphic.h"
#include "PictureGeometry.h"
#include "PictureSettings.h"

class KGraphicGL : public KGraphic {
 public:
  KGraphicGL();
  ~KGraphicGL() override;
  KGraphicGL(const KGraphicGL&) = delete;
  KGraphicGL& operator=(const KGraphicGL&) = delete;

  // Class-wide: the client size and colour depth that every draw flips y against and every grab
  // reads; the window sets them before pictures are drawn.
  static void SetScreenSize(uint16_t width, uint16_t height, uint16_t depth);
  // Pictures always use square power-of-two textures: nothing to change.
  static void DisableTextureRectangle(bool disable);
  // Copies a rectangle of the back buffer within it, whatever the world view; all coordinates in
  // window pixels, y upward.
  static void CopyScreenRect(float x1, float y1, float x2, float y2, float destX, float destY);
  // Something other than a picture bound a texture or switched texturing off: the next picture
  // draw binds again.
  static void ForgetBoundTexture();
  // The context is about to go: every live picture deletes its texture (the context must still be
  // current) and draws nothing until it is made again; the bound-texture cache is emptied.
  static void ReleaseAllTextures();
  // The live pictures in order of construction.
  static const std::vector<KGraphicGL*>& LivePictures();

  // Binds this picture's texture unless it is bound already.
  void Bind();

  bool LoadPicture(const char* path, bool hiQuality, bool alpha) override;
  void FreePicture() override;
  float GetWidth() override { return pictureWidth_; }
  float GetHeight() override { return pictureHeight_; }
  void SetTextureQuality(bool smooth) override;
  void DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b,
                float a) override;
  void DrawLine(float x1, float y1, float x2, float y2, float r, float g, float b,
                float a) override;
  void PlotPixel(float x, float y, float r, float g, float b, float a) override;
  void BlitRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy, bool flipX,
                bool flipY) override;
  void BlitRectRotateZoom(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                          float angle, float zoom, bool flipX, bool flipY) override;
  void BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy, bool flipX,
                     bool flipY) override;
  void BlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                       float angle, float zoom, float alpha, bool flipX, bool flipY, float cx,
                       float cy) override;
  void BlitRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                 bool flipY) override;
  void BlitRectRotateZoomF(float sx1, float sy1, float sx2, float sy2, float dx, float dy,
                           float angle, float zoom, bool flipX, bool flipY) override;
  void BlitAlphaRectF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, bool flipX,
                      bool flipY) override;
  void BlitAlphaRectFxF(float sx1, float sy1, float sx2, float sy2, float dx, float dy, float angle,
                        float zoom, float alpha, bool flipX, bool flipY, float cx,
                        float cy) override;
  void BlitTiled(int16_t x, int16_t y, int16_t width, int16_t height, float repeat,
                 float angle) override;
  void BlitArbitraryQuad(float sx1, float sy1, float sx2, float sy2, float sx3, float sy3,
                         float sx4, float sy4, float dx1, float dy1, float dx2, float dy2,
                         float dx3, float dy3, float dx4, float dy4) override;
  void SetBlitMode(int mode) override;
  void StretchAlphaRect(float sx1, float sy1, float sx2, float sy2, float dx1, float dy1, float dx2,
                        float dy2, float alpha, float angle, bool flipX, bool flipY, float cx,
                        float cy) override;
  bool GrabBackBufferFiltered(GrabFilter filter) override;
  bool GrabBackBuffer() override;
  void SetColorKey(bool on, uint8_t r, uint8_t g, uint8_t b) override;
  void SetTextureWrap(bool repeat) override;
  void SetBlitColor(float r, float g, float b, float a) override;
  bool MakePictureFromArray(uint32_t* pixels, int width, int height, bool hiQuality) override;
  void UpdatePictureFromArray() override;
  void BindRepeat() override;

  // The texture's name (0 without one) and its side in texels.
  uint32_t TextureName() const { return textureName_; }
  float TextureWidth() const { return textureWidth_; }
  float TextureHeight() const { return textureHeight_; }

 private:
  static std::vector<KGraphicGL*>& PictureList();
  // Deletes the texture, if any, leaving the picture's size as it was.
  void ReleaseTexture();
  // Replaces the texture with a new side x side one holding the texels (pixel words, top row
  // first) in the internal format, filtered by the nearest texel and clamped or repeated. False,
  // with no texture left, when the driver cannot hold it.
  bool CreateTexture(const uint32_t* texels, uint32_t side, int internalFormat, bool repeat);
  // Repeat or clamp on both axes of the bound texture.
  static void SetBoundWrap(bool repeat);
  // The two grabs: the screen through the filter, the colour key applied when keyed.
  bool GrabScreen(GrabFilter filter, bool keyed, int internalFormat);

  // Readies a textured draw with this picture's texture: blended with its blend factors and
  // coloured with the tint, or unblended in the texture's own colours when tint is null. False
  // without a texture.
  bool BeginTexturedDraw(const Color* tint);
  // The source's texture coordinates on the placed rectangle, in the world view.
  void DrawPlaced(const TexCoords& uv, const BlitPlacement& placement, const Color* tint);
  // The rectangle blits, each pair of twins in one; wholePixels for the 16-bit destinations.
  void BlitSource(RectF source, float dx, float dy, bool flipX, bool flipY, bool blended,
                  bool wholePixels);
  void BlitRotateZoomed(RectF source, float dx, float dy, float angle, float zoom, bool flipX,
                        bool flipY, bool wholePixels);
  void BlitEffect(RectF source, float dx, float dy, float angle, float zoom, float alpha,
                  bool flipX, bool flipY, float cx, float cy, bool wholePixels);

  PictureSettings settings_;
  uint32_t textureName_ = 0;
  float textureWidth_ = 0, textureHeight_ = 0;
  float pictureWidth_ = 0, pictureHeight_ = 0;
  // The caller's array of the last MakePictureFromArray and its size, for UpdatePictureFromArray;
  // null once a load, grab or free ends the picture's use of it.
  uint32_t* keptPixels_ = nullptr;
  int keptWidth_ = 0, keptHeight_ = 0;
};
