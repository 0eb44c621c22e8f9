// A picture that draws nothing and records the blits, rectangles and blit settings that the game's
// objects and the bitmap-font text ask of it, one line of text each, so that a test can compare
// what was drawn where and how.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "KGraphic.h"

class RecordingGraphic : public KGraphic {
 public:
  std::vector<std::string> calls;

  void BlitAlphaRect(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy, bool flipX,
                     bool flipY) override {
    Record("BlitAlphaRect(%g,%g,%g,%g at %d,%d flip %d,%d)", sx1, sy1, sx2, sy2, dx, dy, flipX,
           flipY);
  }
  void BlitAlphaRectFx(float sx1, float sy1, float sx2, float sy2, int16_t dx, int16_t dy,
                       float angle, float zoom, float alpha, bool flipX, bool flipY, float cx,
                       float cy) override {
    Record("BlitAlphaRectFx(%g,%g,%g,%g at %d,%d angle %.4g zoom %g alpha %g flip %d,%d c %g,%g)",
           sx1, sy1, sx2, sy2, dx, dy, angle, zoom, alpha, flipX, flipY, cx, cy);
  }
  void SetBlitColor(float r, float g, float b, float a) override {
    Record("SetBlitColor(%g,%g,%g,%g)", r, g, b, a);
  }
  void SetBlitMode(int mode) override { Record("SetBlitMode(%d)", mode); }
  void DrawRect(float x1, float y1, float x2, float y2, float r, float g, float b,
                float a) override {
    Record("DrawRect(%g,%g,%g,%g colour %g,%g,%g,%g)", x1, y1, x2, y2, r, g, b, a);
  }

  // Everything else is not used by the objects; a call shows up as a line of its own.
  bool LoadPicture(const char*, bool, bool) override { return Other("LoadPicture"); }
  void FreePicture() override { Other("FreePicture"); }
  float GetWidth() override { return 0; }
  float GetHeight() override { return 0; }
  void SetTextureQuality(bool) override { Other("SetTextureQuality"); }
  void DrawLine(float, float, float, float, float, float, float, float) override {
    Other("DrawLine");
  }
  void PlotPixel(float, float, float, float, float, float) override { Other("PlotPixel"); }
  void BlitRect(float, float, float, float, int16_t, int16_t, bool, bool) override {
    Other("BlitRect");
  }
  void BlitRectRotateZoom(float, float, float, float, int16_t, int16_t, float, float, bool,
                          bool) override {
    Other("BlitRectRotateZoom");
  }
  void BlitRectF(float, float, float, float, float, float, bool, bool) override {
    Other("BlitRectF");
  }
  void BlitRectRotateZoomF(float, float, float, float, float, float, float, float, bool,
                           bool) override {
    Other("BlitRectRotateZoomF");
  }
  void BlitAlphaRectF(float, float, float, float, float, float, bool, bool) override {
    Other("BlitAlphaRectF");
  }
  void BlitAlphaRectFxF(float, float, float, float, float, float, float, float, float, bool, bool,
                        float, float) override {
    Other("BlitAlphaRectFxF");
  }
  void BlitTiled(int16_t, int16_t, int16_t, int16_t, float, float) override { Other("BlitTiled"); }
  void BlitArbitraryQuad(float, float, float, float, float, float, float, float, float, float,
                         float, float, float, float, float, float) override {
    Other("BlitArbitraryQuad");
  }
  void StretchAlphaRect(float, float, float, float, float, float, float, float, float, float, bool,
                        bool, float, float) override {
    Other("StretchAlphaRect");
  }
  bool GrabBackBufferFiltered(GrabFilter) override { return Other("GrabBackBufferFiltered"); }
  bool GrabBackBuffer() override { return Other("GrabBackBuffer"); }
  void SetColorKey(bool, uint8_t, uint8_t, uint8_t) override { Other("SetColorKey"); }
  void SetTextureWrap(bool) override { Other("SetTextureWrap"); }
  bool MakePictureFromArray(uint32_t*, int, int, bool) override {
    return Other("MakePictureFromArray");
  }
  void UpdatePictureFromArray() override { Other("UpdatePictureFromArray"); }
  void BindRepeat() override { Other("BindRepeat"); }

 private:
  template <typename... Args>
  void Record(const char* format, Args... args) {
    char line[200];
    std::snprintf(line, sizeof line, format, args...);
    calls.push_back(line);
  }
  bool Other(const char* name) {
    calls.push_back(name);
    return false;
  }
};
