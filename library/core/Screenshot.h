// The screenshot path both window variants share: each window reads its frame its own way; the
// frame is then rescaled in memory when a size is asked, and written by SaveImageFile.
#pragma once

#include <cstdint>
#include <vector>

// A frame as a window reads it: width x height pixels, rows bottom-up, each pixel
// red << 16 | green << 8 | blue.
struct ScreenFrame {
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
};

// Writes the frame to path as a KImageFormat file: at width x height, each pixel taken from the
// frame pixel under its centre, when both are above 0; otherwise at the frame's own size. False,
// with no file written, when the frame does not hold its width x height pixels (a frame that
// could not be read holds none), when the asked size is larger than the writer takes, or when
// the writer fails.
bool SaveScreenshot(const char* path, int format, const ScreenFrame& frame, int width, int height);
