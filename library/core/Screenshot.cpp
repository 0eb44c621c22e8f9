#include "Screenshot.h"

#include <memory>
#include <new>

#include "ImageSave.h"

namespace {

bool HoldsItsPixels(const ScreenFrame& frame) {
  return frame.width > 0 && frame.height > 0 &&
         frame.pixels.size() == size_t(frame.width) * size_t(frame.height);
}

// The frame resampled to width x height: each pixel takes the frame pixel under its centre.
// Null when there is no memory for it.
std::unique_ptr<uint32_t[]> Rescale(const ScreenFrame& frame, int width, int height) {
  std::unique_ptr<uint32_t[]> scaled(new (std::nothrow) uint32_t[size_t(width) * height]);
  if (!scaled) return nullptr;
  for (int y = 0; y < height; ++y) {
    int fromY = int((y + 0.5) * frame.height / height);
    for (int x = 0; x < width; ++x) {
      int fromX = int((x + 0.5) * frame.width / width);
      scaled[size_t(y) * width + x] = frame.pixels[size_t(fromY) * frame.width + fromX];
    }
  }
  return scaled;
}

}  // namespace

bool SaveScreenshot(const char* path, int format, const ScreenFrame& frame, int width, int height) {
  if (!HoldsItsPixels(frame)) return false;
  if (width < 1 || height < 1) {
    return SaveImageFile(path, format, frame.pixels.data(), frame.width, frame.height);
  }
  if (int64_t(width) * height > kLargestSavedImage) return false;
  std::unique_ptr<uint32_t[]> scaled = Rescale(frame, width, height);
  return scaled && SaveImageFile(path, format, scaled.get(), width, height);
}
