// Saving the DirectX window's back buffer to an image file.
#include <memory>
#include <vector>

#include "ImageSave.h"
#include "KWindowDX.h"

namespace {

// The back buffer's pixels, bottom row first, each red << 16 | green << 8 | blue.
std::vector<uint32_t> ReadBackBuffer(IDirectDrawSurface7* backBuffer, int width, int height) {
  std::vector<uint32_t> pixels;
  HDC dc = nullptr;
  if (backBuffer->GetDC(&dc) != DD_OK) return pixels;
  pixels.resize(size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      COLORREF c = GetPixel(dc, x, y);
      pixels[size_t(height - 1 - y) * width + x] =
          uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
    }
  }
  backBuffer->ReleaseDC(dc);
  return pixels;
}

// The frame resampled to width x height: each pixel takes the frame pixel under its centre.
std::vector<uint32_t> Rescale(const std::vector<uint32_t>& frame, int frameWidth, int frameHeight,
                              int width, int height) {
  std::vector<uint32_t> scaled(size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    int fromY = int((y + 0.5) * frameHeight / height);
    for (int x = 0; x < width; ++x) {
      int fromX = int((x + 0.5) * frameWidth / width);
      scaled[size_t(y) * width + x] = frame[size_t(fromY) * frameWidth + fromX];
    }
  }
  return scaled;
}

}  // namespace

bool KWindowDX::SaveBackBuffer(const char* path, int format, int width, int height) {
  if (!device_ || !backBuffer_ || width_ < 1 || height_ < 1) return false;
  // The frame is read as it stands and rescaled in memory: nothing is drawn over it.
  device_->EndScene();
  std::vector<uint32_t> pixels = ReadBackBuffer(backBuffer_, width_, height_);
  device_->BeginScene();
  if (pixels.empty()) return false;
  if (width > 0 && height > 0) {
    pixels = Rescale(pixels, width_, height_, width, height);
  } else {
    width = width_;
    height = height_;
  }
  return SaveImageFile(path, format, pixels.data(), width, height);
}
