// Saving the OpenGL window's back buffer to an image file.
#include <cstring>

#include "KWindowGL.h"
#include "platform/opengl.h"

ScreenFrame KWindowGL::ReadBackBuffer() {
  ScreenFrame frame;
  if (width_ < 1 || height_ < 1) return frame;
  frame = {std::vector<uint32_t>(size_t(width_) * size_t(height_)), width_, height_};
  GLint alignment = 4;
  glGetIntegerv(GL_PACK_ALIGNMENT, &alignment);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  // Rows come bottom-up, as a frame holds them.
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, frame.pixels.data());
  glPixelStorei(GL_PACK_ALIGNMENT, alignment);
  for (uint32_t& pixel : frame.pixels) {
    uint8_t rgba[4];
    std::memcpy(rgba, &pixel, sizeof rgba);
    pixel = uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
  }
  return frame;
}

bool KWindowGL::SaveBackBuffer(const char* path, int format, int width, int height) {
  if (!contextCurrent_) return false;
  // The frame is read as it stands (or as the flip kept it) and rescaled in memory: nothing is
  // drawn over it.
  if (keptFrame_) return SaveScreenshot(path, format, *keptFrame_, width, height);
  return SaveScreenshot(path, format, ReadBackBuffer(), width, height);
}
