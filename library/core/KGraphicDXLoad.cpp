// The DirectX picture's textures: from image files (32-bit or 16-bit), from pixel arrays and
// from the back buffer.
#include <cstring>

#include "DXPictureDevice.h"
#include "DecodedImage.h"
#include "KGraphicDX.h"
#include "TextureSide.h"

namespace {

DDPIXELFORMAT PixelFormat(DWORD flags, DWORD bits, DWORD alpha, DWORD red, DWORD green,
                          DWORD blue) {
  DDPIXELFORMAT format{};
  format.dwSize = sizeof format;
  format.dwFlags = flags;
  format.dwRGBBitCount = bits;
  format.dwRGBAlphaBitMask = alpha;
  format.dwRBitMask = red;
  format.dwGBitMask = green;
  format.dwBBitMask = blue;
  return format;
}

// A pixel word (bytes red, green, blue, alpha) as a texel of each format.
uint32_t ToArgb8888(uint32_t p) {
  return uint32_t(PixelAlpha(p)) << 24 | uint32_t(PixelRed(p)) << 16 |
         uint32_t(PixelGreen(p)) << 8 | PixelBlue(p);
}
uint16_t ToArgb4444(uint32_t p) {
  return uint16_t((PixelAlpha(p) >> 4) << 12 | (PixelRed(p) >> 4) << 8 | (PixelGreen(p) >> 4) << 4 |
                  PixelBlue(p) >> 4);
}
uint16_t ToXrgb1555(uint32_t p) {
  return uint16_t((PixelRed(p) >> 3) << 10 | (PixelGreen(p) >> 3) << 5 | PixelBlue(p) >> 3);
}

// The locked pixels of a surface, unlocked when this goes; rows from the top.
class LockedSurface {
 public:
  LockedSurface(IDirectDrawSurface7* surface, DWORD flags) : surface_(surface) {
    description_.dwSize = sizeof description_;
    locked_ = surface_->Lock(nullptr, &description_, flags, nullptr) == DD_OK;
  }
  ~LockedSurface() {
    if (locked_) surface_->Unlock(nullptr);
  }
  LockedSurface(const LockedSurface&) = delete;
  LockedSurface& operator=(const LockedSurface&) = delete;

  bool Locked() const { return locked_; }
  const DDPIXELFORMAT& Format() const { return description_.ddpfPixelFormat; }
  unsigned char* Row(uint32_t y) const {
    return static_cast<unsigned char*>(description_.lpSurface) + size_t(y) * description_.lPitch;
  }

 private:
  IDirectDrawSurface7* surface_;
  DDSURFACEDESC2 description_{};
  bool locked_ = false;
};

template <typename Texel>
void WriteTexel(const LockedSurface& locked, uint32_t x, uint32_t y, Texel texel) {
  std::memcpy(locked.Row(y) + x * sizeof(Texel), &texel, sizeof(Texel));
}

// Writes width x height pixel words (rows of stride words, top row first) into the top-left corner
// of the locked surface as texels made by Convert.
template <typename Texel, Texel (*Convert)(uint32_t)>
void WritePixels(const LockedSurface& locked, const uint32_t* pixels, size_t stride, uint32_t width,
                 uint32_t height) {
  for (uint32_t y = 0; y < height; ++y) {
    const uint32_t* row = pixels + y * stride;
    for (uint32_t x = 0; x < width; ++x) WriteTexel(locked, x, y, Convert(row[x]));
  }
}

// A texture format of the picture and how pixel words become its texels.
struct TexelFormat {
  DDPIXELFORMAT pixelFormat;
  void (*write)(const LockedSurface& locked, const uint32_t* pixels, size_t stride, uint32_t width,
                uint32_t height);
  // The 1-5-5-5 format has no alpha: the colour key does not apply there.
  bool takesColorKey;
};

const TexelFormat kArgb8888 = {
    PixelFormat(DDPF_RGB | DDPF_ALPHAPIXELS, 32, 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF),
    WritePixels<uint32_t, ToArgb8888>, true};
const TexelFormat kArgb4444 = {
    PixelFormat(DDPF_RGB | DDPF_ALPHAPIXELS, 16, 0xF000, 0x0F00, 0x00F0, 0x000F),
    WritePixels<uint16_t, ToArgb4444>, true};
const TexelFormat kXrgb1555 = {PixelFormat(DDPF_RGB, 16, 0, 0x7C00, 0x03E0, 0x001F),
                               WritePixels<uint16_t, ToXrgb1555>, false};

// The format of a file's texture: 32 bits whatever the wishes with hiQuality; otherwise 4-4-4-4
// when alpha is both wished and in the image, else 1-5-5-5.
const TexelFormat& FileFormat(bool hiQuality, bool alpha, bool imageHasAlpha) {
  if (hiQuality) return kArgb8888;
  return alpha && imageHasAlpha ? kArgb4444 : kXrgb1555;
}

// Writes the pixel words into the surface's top-left corner as texels of the format; false when
// the surface cannot be locked.
bool WriteTexture(IDirectDrawSurface7* surface, const TexelFormat& format, const uint32_t* pixels,
                  size_t stride, uint32_t width, uint32_t height) {
  LockedSurface locked(surface, DDLOCK_WAIT);
  if (!locked.Locked()) return false;
  format.write(locked, pixels, stride, width, height);
  return true;
}

}  // namespace

IDirectDrawSurface7* KGraphicDX::CreateTexture(uint32_t width, uint32_t height,
                                               const DDPIXELFORMAT& format) {
  if (!g_dxPictures.directDraw) return nullptr;
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags =
      DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_TEXTURESTAGE;
  description.dwWidth = width;
  description.dwHeight = height;
  description.dwTextureStage = 0;
  description.ddsCaps.dwCaps = DDSCAPS_TEXTURE;
  description.ddsCaps.dwCaps2 = DDSCAPS2_TEXTUREMANAGE;
  description.ddpfPixelFormat = format;
  IDirectDrawSurface7* surface = nullptr;
  if (g_dxPictures.directDraw->CreateSurface(&description, &surface, nullptr) != DD_OK) {
    return nullptr;
  }
  return surface;
}

bool KGraphicDX::LoadPicture(const char* path, bool hiQuality, bool alpha) {
  FreePicture();
  loadHiQuality_ = hiQuality;
  loadAlpha_ = alpha;
  if (hiQuality) return LoadSurface32(path);
  return LoadSurface16(path, hiQuality, alpha);
}

bool KGraphicDX::LoadSurface32(const char* path) {
  return FillFromImage(path, true, true);
}

bool KGraphicDX::LoadSurface16(const char* path, bool, bool alpha) {
  return FillFromImage(path, false, alpha);
}

bool KGraphicDX::FillFromImage(const char* path, bool hiQuality, bool alpha) {
  bool fits = path && std::strlen(path) < sizeof fileName_;
  if (!g_dxPictures.directDraw || !g_dxPictures.device || !fits) {
    fileName_[0] = '\0';
    return false;
  }
  std::strcpy(fileName_, path);
  std::unique_ptr<DecodedImage> image = LoadImageFile(path, ExtensionCase::kLowerOnly);
  if (!image) {
    fileName_[0] = '\0';
    return false;
  }
  const TexelFormat& format = FileFormat(hiQuality, alpha, image->hasAlpha);
  uint32_t width = uint32_t(image->width), height = uint32_t(image->height);
  uint32_t side = TextureSide(width, height, kTextureSideNoMinimum);
  if (side == 0) return false;
  if (format.takesColorKey) ClearKeyedAlpha(*image, settings_.colorKey);
  surface_ = CreateTexture(side, side, format.pixelFormat);
  bool written = false;
  if (surface_) {
    // Only the picture's texels are written: a new surface starts as zeros.
    LockedSurface locked(surface_, DDLOCK_WAIT);
    written = locked.Locked();
    if (written) format.write(locked, image->pixels.get(), width, width, height);
    // The decoded pixels go before the unlock uploads the texture, so that a picture is held at
    // most twice at any time.
    image.reset();
  }
  if (!written) {
    ReleaseSurface();
    return false;
  }
  g_dxPictures.device->PreLoad(surface_);
  textureWidth_ = textureHeight_ = float(side);
  pictureWidth_ = float(width);
  pictureHeight_ = float(height);
  return true;
}

bool KGraphicDX::MakePictureFromArray(uint32_t* pixels, int width, int height, bool) {
  if (!g_dxPictures.directDraw || !pixels || width < 1 || height < 1) return false;
  ReleaseSurface();
  surface_ = CreateTexture(uint32_t(width), uint32_t(height), kArgb8888.pixelFormat);
  if (!surface_ || !WriteTexture(surface_, kArgb8888, pixels, size_t(width), uint32_t(width),
                                 uint32_t(height))) {
    ReleaseSurface();
    return false;
  }
  textureWidth_ = pictureWidth_ = float(width);
  textureHeight_ = pictureHeight_ = float(height);
  return true;
}

bool KGraphicDX::GrabBackBuffer() {
  return GrabBackBufferFiltered(nullptr);
}

bool KGraphicDX::GrabBackBufferFiltered(GrabFilter filter) {
  IDirect3DDevice7* device = g_dxPictures.device;
  if (!device || !g_dxPictures.backBuffer) return false;
  if (surface_) {
    surface_->Release();
    surface_ = nullptr;
  }
  device->EndScene();
  uint32_t width = g_dxPictures.width, height = g_dxPictures.height;
  surface_ = CreateTexture(width, height, kArgb8888.pixelFormat);
  if (!surface_) {
    device->BeginScene();
    return false;
  }
  textureWidth_ = pictureWidth_ = float(width);
  textureHeight_ = pictureHeight_ = float(height);
  bool copied = false;
  {
    LockedSurface texture(surface_, DDLOCK_WAIT);
    LockedSurface screen(g_dxPictures.backBuffer, DDLOCK_WAIT | DDLOCK_READONLY);
    copied = texture.Locked() && screen.Locked();
    const DDPIXELFORMAT& format = screen.Format();
    for (uint32_t y = 0; copied && y < height; ++y) {
      for (uint32_t x = 0; x < width; ++x) {
        unsigned char red = 0, green = 0, blue = 0;
        const unsigned char* p = screen.Row(y) + x * (format.dwRGBBitCount / 8);
        if (format.dwRGBBitCount == 32) {
          blue = p[0];
          green = p[1];
          red = p[2];
        } else if (format.dwRGBBitCount == 16) {
          uint16_t v;
          std::memcpy(&v, p, 2);
          bool sixGreenBits = format.dwGBitMask == 0x07E0;
          int redShift = sixGreenBits ? 11 : 10;
          red = uint8_t(((v & format.dwRBitMask) >> redShift) << 3);
          green = uint8_t(((v >> 5) & (format.dwGBitMask >> 5)) * (sixGreenBits ? 4 : 8));
          blue = uint8_t((v & format.dwBBitMask) << 3);
        } else {
          continue;
        }
        if (filter) filter(int(x), int(y), &red, &green, &blue);
        WriteTexel(texture, x, y, ToArgb8888(PackPixel(red, green, blue, 255)));
      }
    }
  }
  device->BeginScene();
  if (!copied) ReleaseSurface();
  return copied;
}
