// The OpenGL picture's textures: from image files, from pixel arrays and from the back buffer.
// Every texture is a square power-of-two side of at least 4 texels with the picture in its
// top-left corner, its top row first, and zeros beside and below it.
#include <cstring>
#include <memory>
#include <new>

#include "DecodedImage.h"
#include "GLPictureState.h"
#include "KGraphicGL.h"
#include "TextureSide.h"
#include "platform/opengl.h"

namespace {

// Rows of pixel words, tightly packed: set for every transfer, whatever state others left.
void SetUnpackLayout() {
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
}

void SetPackLayout() {
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
}

// Errors recorded before an upload belong to other calls: cleared, so that the upload's own show.
void ClearGlErrors() {
  while (glGetError() != GL_NO_ERROR) {
  }
}

// A zeroed side x side texture, or null when memory runs out.
std::unique_ptr<uint32_t[]> ZeroTexels(uint32_t side) {
  return std::unique_ptr<uint32_t[]>(new (std::nothrow) uint32_t[size_t(side) * side]());
}

GLint FileFormat(bool hiQuality, bool alpha) {
  if (alpha) return hiQuality ? GL_RGBA8 : GL_RGBA;
  return hiQuality ? GL_RGB8 : GL_RGB;
}

}  // namespace

bool KGraphicGL::CreateTexture(const uint32_t* texels, uint32_t side, int internalFormat,
                               bool repeat) {
  ReleaseTexture();
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (side == 0 || side > uint32_t(largest)) return false;
  ClearGlErrors();
  GLuint name = 0;
  glGenTextures(1, &name);
  textureName_ = name;
  // A new name may equal one the cache remembers from a deleted texture: bound for certain.
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, name);
  g_glPictures.lastBound = name;
  SetUnpackLayout();
  glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, GLsizei(side), GLsizei(side), 0, GL_RGBA,
               GL_UNSIGNED_BYTE, texels);
  if (glGetError() != GL_NO_ERROR) {
    ReleaseTexture();
    ClearGlErrors();
    return false;
  }
  textureWidth_ = textureHeight_ = float(side);
  SetTextureQuality(false);
  SetBoundWrap(repeat);
  return true;
}

void KGraphicGL::FreePicture() {
  ReleaseTexture();
  textureWidth_ = textureHeight_ = 0;
  pictureWidth_ = pictureHeight_ = 0;
  keptPixels_ = nullptr;
  keptWidth_ = keptHeight_ = 0;
}

bool KGraphicGL::LoadPicture(const char* path, bool hiQuality, bool alpha) {
  FreePicture();
  std::unique_ptr<DecodedImage> image = LoadImageFile(path, ExtensionCase::kAny);
  if (!image) return false;
  const int width = image->width, height = image->height;
  uint32_t side = TextureSide(uint32_t(width), uint32_t(height), kTextureSideMinimum);
  // The decoded pixels become the texture's: only the upload copies them.
  PixelBlock texels = MakeTexture(*image, settings_.colorKey, side);
  if (!texels || !CreateTexture(texels.get(), side, FileFormat(hiQuality, alpha), settings_.wrap))
    return false;
  pictureWidth_ = float(width);
  pictureHeight_ = float(height);
  return true;
}

bool KGraphicGL::MakePictureFromArray(uint32_t* pixels, int width, int height, bool hiQuality) {
  if (!pixels || width < 1 || height < 1) return false;
  uint32_t side = TextureSide(uint32_t(width), uint32_t(height), kTextureSideMinimum);
  if (side == 0) return false;
  std::unique_ptr<uint32_t[]> texels = ZeroTexels(side);
  if (!texels) return false;
  ApplyColorKey(pixels, size_t(width) * size_t(height), settings_.colorKey);
  for (size_t y = 0; y < size_t(height); ++y) {
    std::memcpy(texels.get() + y * side, pixels + y * size_t(width), size_t(width) * 4);
  }
  FreePicture();
  if (!CreateTexture(texels.get(), side, hiQuality ? GL_RGBA8 : GL_RGBA, false)) return false;
  pictureWidth_ = float(width);
  pictureHeight_ = float(height);
  keptPixels_ = pixels;
  keptWidth_ = width;
  keptHeight_ = height;
  return true;
}

void KGraphicGL::UpdatePictureFromArray() {
  if (!keptPixels_ || textureName_ == 0) return;
  Bind();
  SetUnpackLayout();
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, keptWidth_, keptHeight_, GL_RGBA, GL_UNSIGNED_BYTE,
                  keptPixels_);
}

bool KGraphicGL::GrabBackBuffer() {
  return GrabScreen(nullptr, false, GL_RGB);
}

bool KGraphicGL::GrabBackBufferFiltered(GrabFilter filter) {
  return GrabScreen(filter, true, GL_RGBA8);
}

bool KGraphicGL::GrabScreen(GrabFilter filter, bool keyed, int internalFormat) {
  uint32_t width = g_glPictures.screenWidth, height = g_glPictures.screenHeight;
  if (width == 0 || height == 0) return false;
  uint32_t side = TextureSide(width, height, kTextureSideMinimum);
  if (side == 0) return false;
  std::unique_ptr<uint32_t[]> screen(new (std::nothrow) uint32_t[size_t(width) * height]);
  std::unique_ptr<uint32_t[]> texels = ZeroTexels(side);
  if (!screen || !texels) return false;
  glReadBuffer(GL_BACK);
  SetPackLayout();
  glReadPixels(0, 0, GLsizei(width), GLsizei(height), GL_RGBA, GL_UNSIGNED_BYTE, screen.get());
  ColorKey key = keyed ? settings_.colorKey : ColorKey{};
  // The read rows start at the bottom of the screen; the texture's and the filter's at the top.
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t* from = screen.get() + size_t(height - 1 - y) * width;
    uint32_t* to = texels.get() + size_t(y) * side;
    for (uint32_t x = 0; x < width; ++x) {
      uint8_t red = PixelRed(from[x]), green = PixelGreen(from[x]), blue = PixelBlue(from[x]);
      if (filter) filter(int(x), int(y), &red, &green, &blue);
      to[x] = key.Matches(red, green, blue) ? 0 : PackPixel(red, green, blue, 255);
    }
  }
  FreePicture();
  if (!CreateTexture(texels.get(), side, internalFormat, false)) return false;
  pictureWidth_ = float(width);
  pictureHeight_ = float(height);
  return true;
}
