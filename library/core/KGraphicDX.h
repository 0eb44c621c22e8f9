// The picture on the DirectX renderer: a DirectDraw texture surface drawn through the Direct3D
// device that the DirectX window hands over. Every live picture is listed, so that the window can
// release all textures and reload them from their files around a switch of display mode.
#pragma once

#include <cstdint>
#include <vector>

#include "KGraphic.h"
#include "PictureGeometry.h"
#include "PictureSettings.h"
#include "platform/win32.h"

class KGraphicDX : public KGraphic {
 public:
  KGraphicDX();
  ~KGraphicDX() override;
  KGraphicDX(const KGraphicDX&) = delete;
  KGraphicDX& operator=(const KGraphicDX&) = delete;

  // Class-wide: the device the pictures draw on, set by the window each time it makes one; the
  // initial device states are set here.
  static void SetDevice(IDirectDraw7* directDraw, IDirect3DDevice7* device,
                        IDirectDrawSurface7* backBuffer, uint32_t width, uint32_t height);
  static void ReleaseAll();
  static void RestoreAll();
  // Forgets the texture last set on stage 0, for code that sets stage 0 by other means.
  static void ForgetBoundTexture();
  // The live pictures in order of construction.
  static const std::vector<KGraphicDX*>& LivePictures();

  void AddToList();
  void RemoveFromList();
  void ReleaseSurface();
  // Drops the surface and reloads it from the last loaded file (none: no surface).
  void RestoreSurface();
  // Sets this picture's surface on stage 0 unless it is there already.
  bool SetTexture();
  bool LoadSurface32(const char* path);
  bool LoadSurface16(const char* path, bool hiQuality, bool alpha);

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
  void UpdatePictureFromArray() override {}
  void BindRepeat() override;

  // The texture's surface (null without one) and its size in texels.
  IDirectDrawSurface7* Surface() const { return surface_; }
  float TextureWidth() const { return textureWidth_; }
  float TextureHeight() const { return textureHeight_; }

 private:
  // The rectangle blits, each pair of twins in one: the integer forms pass their destination as it
  // is, and wholePixels true where it matters (the plain blits draw alike either way).
  void BlitSource(RectF source, float dx, float dy, bool flipX, bool flipY, bool blended);
  void BlitRotateZoomed(RectF source, float dx, float dy, float angle, float zoom, bool flipX,
                        bool flipY, bool wholePixels);
  void BlitEffect(RectF source, float dx, float dy, float angle, float zoom, float alpha,
                  bool flipX, bool flipY, float cx, float cy, bool wholePixels);
  // How a blit's turn meets the world matrix it finds: the plain blits have none, the stretch turns
  // on top of it, the rotate-zoom turns and zooms on top of it, the Fx blits turn and zoom in its
  // place.
  enum class WorldTurn { kNone, kOnWorld, kZoomedOnWorld, kReplacingWorld };
  // Draws the source rectangle at the placement, blended or not; stage 0 modulates the texture by
  // the tint, so it colours every textured draw.
  void DrawPlaced(RectF source, bool flipX, bool flipY, const BlitPlacement& placement,
                  WorldTurn turn, bool blended, Color tint);
  // Stage 0 addressing and filtering, the blend factors and the texture of a textured draw.
  bool PrepareTexturedDraw();
  void DrawUntextured(D3DPRIMITIVETYPE type, const float* points, int count, D3DCOLOR color);
  // A new texture surface of the format, or null.
  IDirectDrawSurface7* CreateTexture(uint32_t width, uint32_t height, const DDPIXELFORMAT& format);
  // Loads the file into a texture of the format that hiQuality, alpha and the image choose.
  bool FillFromImage(const char* path, bool hiQuality, bool alpha);

  char fileName_[MAX_PATH] = "";
  PictureSettings settings_;
  IDirectDrawSurface7* surface_ = nullptr;
  bool loadHiQuality_ = false;
  bool loadAlpha_ = false;
  float textureWidth_ = 0, textureHeight_ = 0;
  float pictureHeight_ = 0, pictureWidth_ = 0;
};
