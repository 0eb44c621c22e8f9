#include "image_files.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <stdexcept>

void WriteJpeg(const std::string& path, const Canvas& canvas) {
  std::vector<uint8_t> pixels = canvas.ToRgb8();
  if (stbi_write_jpg(path.c_str(), canvas.Width(), canvas.Height(), 3, pixels.data(), 92) == 0) {
    throw std::runtime_error("cannot write " + path);
  }
}

void WritePng(const std::string& path, const Canvas& canvas) {
  std::vector<uint8_t> pixels = canvas.ToRgba8();
  if (stbi_write_png(path.c_str(), canvas.Width(), canvas.Height(), 4, pixels.data(),
                     canvas.Width() * 4) == 0) {
    throw std::runtime_error("cannot write " + path);
  }
}
