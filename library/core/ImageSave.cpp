#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#include <cstdio>
#include <memory>
#include <new>

#include "ImageSave.h"
#include "platform/files.h"

namespace {

constexpr int kJpegQuality = 90;

struct Output {
  FILE* stream;
  bool failed;
};

void WriteBytes(void* context, void* data, int size) {
  Output* output = static_cast<Output*>(context);
  if (output->failed || size <= 0) return;
  if (std::fwrite(data, 1, static_cast<size_t>(size), output->stream) !=
      static_cast<size_t>(size)) {
    output->failed = true;
  }
}

// Top row first, three bytes red, green, blue a pixel.
std::unique_ptr<uint8_t[]> ToRgbTopDown(const uint32_t* pixels, int width, int height) {
  size_t rowBytes = static_cast<size_t>(width) * 3;
  std::unique_ptr<uint8_t[]> rgb(new (std::nothrow) uint8_t[rowBytes * height]);
  if (!rgb) return nullptr;
  for (int y = 0; y < height; ++y) {
    const uint32_t* source = pixels + static_cast<size_t>(height - 1 - y) * width;
    uint8_t* target = rgb.get() + rowBytes * y;
    for (int x = 0; x < width; ++x) {
      uint32_t pixel = source[x];
      target[x * 3 + 0] = static_cast<uint8_t>(pixel >> 16);
      target[x * 3 + 1] = static_cast<uint8_t>(pixel >> 8);
      target[x * 3 + 2] = static_cast<uint8_t>(pixel);
    }
  }
  return rgb;
}

int Encode(int format, Output* output, const uint8_t* rgb, int width, int height) {
  switch (format) {
    case K_IMAGE_BMP:
      return stbi_write_bmp_to_func(WriteBytes, output, width, height, 3, rgb);
    case K_IMAGE_JPG:
      return stbi_write_jpg_to_func(WriteBytes, output, width, height, 3, rgb, kJpegQuality);
    case K_IMAGE_TGA:
      stbi_write_tga_with_rle = 0;
      return stbi_write_tga_to_func(WriteBytes, output, width, height, 3, rgb);
    case K_IMAGE_PNG:
      return stbi_write_png_to_func(WriteBytes, output, width, height, 3, rgb, width * 3);
  }
  return 0;
}

}  // namespace

bool SaveImageFile(const char* path, int format, const uint32_t* pixels, int width, int height) {
  if (!path || !pixels || width < 1 || height < 1) return false;
  if (format < K_IMAGE_BMP || format > K_IMAGE_PNG) return false;
  if (static_cast<int64_t>(width) * height > kLargestSavedImage) return false;
  std::unique_ptr<uint8_t[]> rgb = ToRgbTopDown(pixels, width, height);
  if (!rgb) return false;
  Output output = {platform::OpenFile(path, "wb"), false};
  if (!output.stream) return false;
  bool encoded = Encode(format, &output, rgb.get(), width, height) != 0;
  bool closed = std::fclose(output.stream) == 0;
  if (encoded && closed && !output.failed) return true;
  platform::RemoveFile(path);
  return false;
}
