// Image files made in the tests, byte by byte where the format is simple (BMP, TGA, palette PNG)
// and through stb_image_write otherwise (PNG, JPEG). Pictures are given top row first as pixel
// words (bytes red, green, blue, alpha in memory order).
#pragma once

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <cstdint>
#include <string>
#include <vector>

#include "PictureSettings.h"

struct TestPicture {
  int width, height;
  std::vector<uint32_t> pixels;

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// Every pixel different: red from x, green from y, blue and alpha fixed patterns.
inline TestPicture Gradient(int width, int height) {
  TestPicture picture{width, height, {}};
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.pixels.push_back(PackPixel(
          static_cast<uint8_t>(x * 40 + 10), static_cast<uint8_t>(y * 60 + 5),
          static_cast<uint8_t>(200 - x * 7 - y), static_cast<uint8_t>(255 - x * 30 - y * 50)));
    }
  }
  return picture;
}

class Bytes {
 public:
  Bytes& U8(unsigned value) {
    bytes_ += static_cast<char>(value);
    return *this;
  }
  Bytes& U16(unsigned value) { return U8(value & 0xFF).U8(value >> 8 & 0xFF); }
  Bytes& U32(uint32_t value) { return U16(value & 0xFFFF).U16(value >> 16); }
  Bytes& U32BigEndian(uint32_t value) {
    return U8(value >> 24).U8(value >> 16 & 0xFF).U8(value >> 8 & 0xFF).U8(value & 0xFF);
  }
  Bytes& Text(const std::string& text) {
    bytes_ += text;
    return *this;
  }
  const std::string& Get() const { return bytes_; }

 private:
  std::string bytes_;
};

// An uncompressed BMP of 24 or 32 bits a pixel, rows bottom-up unless topDown.
inline std::string BmpFile(const TestPicture& picture, int bits, bool topDown = false) {
  int rowBytes = (picture.width * bits / 8 + 3) / 4 * 4;
  Bytes bytes;
  bytes.Text("BM").U32(54 + rowBytes * picture.height).U32(0).U32(54);
  bytes.U32(40).U32(picture.width).U32(topDown ? -picture.height : picture.height).U16(1).U16(bits);
  bytes.U32(0).U32(rowBytes * picture.height).U32(2835).U32(2835).U32(0).U32(0);
  for (int row = 0; row < picture.height; ++row) {
    int y = topDown ? row : picture.height - 1 - row;
    for (int x = 0; x < picture.width; ++x) {
      uint32_t pixel = picture.At(x, y);
      bytes.U8(PixelBlue(pixel)).U8(PixelGreen(pixel)).U8(PixelRed(pixel));
      if (bits == 32) bytes.U8(PixelAlpha(pixel));
    }
    for (int pad = picture.width * bits / 8; pad < rowBytes; ++pad) bytes.U8(0);
  }
  return bytes.Get();
}

// An 8-bit palette BMP, rows bottom-up.
inline std::string PaletteBmpFile(int width, int height, const std::vector<uint32_t>& palette,
                                  const std::vector<uint8_t>& indices) {
  int rowBytes = (width + 3) / 4 * 4;
  int offset = 54 + static_cast<int>(palette.size()) * 4;
  Bytes bytes;
  bytes.Text("BM").U32(offset + rowBytes * height).U32(0).U32(offset);
  bytes.U32(40).U32(width).U32(height).U16(1).U16(8).U32(0).U32(rowBytes * height);
  bytes.U32(2835).U32(2835).U32(static_cast<uint32_t>(palette.size())).U32(0);
  for (uint32_t colour : palette)
    bytes.U8(PixelBlue(colour)).U8(PixelGreen(colour)).U8(PixelRed(colour)).U8(0);
  for (int row = height - 1; row >= 0; --row) {
    for (int x = 0; x < rowBytes; ++x)
      bytes.U8(x < width ? indices[static_cast<size_t>(row) * width + x] : 0);
  }
  return bytes.Get();
}

// An uncompressed true-colour TGA of 24 or 32 bits, rows bottom-up unless the top-left origin
// bit is set.
inline std::string TgaFile(const TestPicture& picture, int bits, bool topLeftOrigin = false) {
  Bytes bytes;
  bytes.U8(0).U8(0).U8(2).U16(0).U16(0).U8(0).U16(0).U16(0).U16(picture.width).U16(picture.height);
  bytes.U8(bits).U8((topLeftOrigin ? 0x20 : 0) | (bits == 32 ? 8 : 0));
  for (int row = 0; row < picture.height; ++row) {
    int y = topLeftOrigin ? row : picture.height - 1 - row;
    for (int x = 0; x < picture.width; ++x) {
      uint32_t pixel = picture.At(x, y);
      bytes.U8(PixelBlue(pixel)).U8(PixelGreen(pixel)).U8(PixelRed(pixel));
      if (bits == 32) bytes.U8(PixelAlpha(pixel));
    }
  }
  return bytes.Get();
}

// An 8-bit grey TGA, top row first.
inline std::string GreyTgaFile(int width, int height, const std::vector<uint8_t>& grey) {
  Bytes bytes;
  bytes.U8(0).U8(0).U8(3).U16(0).U16(0).U8(0).U16(0).U16(0).U16(width).U16(height).U8(8).U8(0x20);
  for (uint8_t value : grey) bytes.U8(value);
  return bytes.Get();
}

inline void AppendToString(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                             static_cast<size_t>(size));
}

// A PNG of 1 (grey, from red), 2 (grey and alpha), 3 (RGB) or 4 (RGBA) channels.
inline std::string PngFile(const TestPicture& picture, int channels) {
  std::vector<uint8_t> samples;
  for (uint32_t pixel : picture.pixels) {
    uint8_t all[4] = {PixelRed(pixel), PixelGreen(pixel), PixelBlue(pixel), PixelAlpha(pixel)};
    if (channels == 1) samples.push_back(all[0]);
    if (channels == 2) samples.insert(samples.end(), {all[0], all[3]});
    if (channels >= 3) samples.insert(samples.end(), all, all + channels);
  }
  std::string file;
  stbi_write_png_to_func(AppendToString, &file, picture.width, picture.height, channels,
                         samples.data(), picture.width * channels);
  return file;
}

inline std::string JpegFile(const TestPicture& picture) {
  std::vector<uint8_t> rgb;
  for (uint32_t pixel : picture.pixels)
    rgb.insert(rgb.end(), {PixelRed(pixel), PixelGreen(pixel), PixelBlue(pixel)});
  std::string file;
  stbi_write_jpg_to_func(AppendToString, &file, picture.width, picture.height, 3, rgb.data(), 100);
  return file;
}

inline uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = crc >> 1 ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

inline void PngChunk(Bytes& png, const std::string& type, const std::string& data) {
  png.U32BigEndian(static_cast<uint32_t>(data.size()))
      .Text(type)
      .Text(data)
      .U32BigEndian(Crc32(type + data));
}

// An 8-bit palette PNG (colour type 3) with a transparency chunk giving each entry's alpha, its
// image data in one stored (uncompressed) deflate block.
inline std::string PalettePngFile(int width, int height, const std::vector<uint32_t>& palette,
                                  const std::vector<uint8_t>& indices) {
  Bytes header, colours, alphas, raw;
  header.U32BigEndian(width).U32BigEndian(height).U8(8).U8(3).U8(0).U8(0).U8(0);
  for (uint32_t colour : palette) {
    colours.U8(PixelRed(colour)).U8(PixelGreen(colour)).U8(PixelBlue(colour));
    alphas.U8(PixelAlpha(colour));
  }
  for (int y = 0; y < height; ++y) {
    raw.U8(0);
    for (int x = 0; x < width; ++x) raw.U8(indices[static_cast<size_t>(y) * width + x]);
  }
  uint32_t a = 1, b = 0;
  for (unsigned char byte : raw.Get()) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  uint16_t length = static_cast<uint16_t>(raw.Get().size());
  Bytes zlib;
  zlib.U8(0x78)
      .U8(0x01)
      .U8(0x01)
      .U16(length)
      .U16(static_cast<uint16_t>(~length))
      .Text(raw.Get())
      .U32BigEndian(b << 16 | a);
  Bytes png;
  png.Text("\x89PNG\r\n\x1a\n");
  PngChunk(png, "IHDR", header.Get());
  PngChunk(png, "PLTE", colours.Get());
  PngChunk(png, "tRNS", alphas.Get());
  PngChunk(png, "IDAT", zlib.Get());
  PngChunk(png, "IEND", "");
  return png.Get();
}
