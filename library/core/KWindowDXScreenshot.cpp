// Saving the DirectX window's back buffer to an image file.
#include "KWindowDX.h"
#include "Screenshot.h"

namespace {

// The back buffer as it stands; no pixels when it can't be read.
ScreenFrame ReadBackBuffer(IDirectDrawSurface7* backBuffer, int width, int height) {
  ScreenFrame frame;
  HDC dc = nullptr;
  if (backBuffer->GetDC(&dc) != DD_OK) return frame;
  frame = {std::vector<uint32_t>(size_t(width) * height), width, height};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      frame.pixels[size_t(height - 1 - y) * width + x] =
          uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    }
  }
  backBuffer->ReleaseDC(dc);
  return frame;
}

}  // namespace

bool KWindowDX::SaveBackBuffer(const char* path, int format, int width, int height) {
  if (!device_ || !backBuffer_ || width_ < 1 || height_ < 1) return false;
  // The frame is read as it stands and rescaled in memory: nothing is drawn over it.
  device_->EndScene();
  ScreenFrame frame = ReadBackBuffer(backBuffer_, width_, height_);
  device_->BeginScene();
  return SaveScreenshot(path, format, frame, width, height);
}
