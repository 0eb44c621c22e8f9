// A DirectDraw surface: its pixels live in CPU memory in their native layout (what Lock exposes);
// textures are uploaded to OpenGL on Unlock, render targets are OpenGL frame buffers (their own,
// or the window's while the display draws them there) read back on Lock, and the primary surface
// is the window itself.
#pragma once

#include <memory>
#include <vector>

#include "directx/display.h"
#include "directx/pixel_memory.h"
#include "directx/ref_counted.h"

namespace platform::directx {

enum class SurfaceKind { kPrimary, kRenderTarget, kTexture, kPlain, kDepthBuffer };

// The sampling that OpenGL keeps per texture and Direct3D per stage.
struct Sampling {
  GLint wrapS = 0, wrapT = 0, minFilter = 0, magFilter = 0;
  bool operator==(const Sampling&) const = default;
};

struct SurfaceShape {
  SurfaceKind kind;
  DWORD caps;
  DWORD caps2;
  Layout layout;
  DWORD width;
  DWORD height;
};

class Surface final : public RefCounted<IDirectDrawSurface7> {
 public:
  Surface(std::shared_ptr<Display> display, const SurfaceShape& shape);
  // The surface behind an interface pointer that this stand-in made; null for anything else.
  static Surface* From(IDirectDrawSurface7* surface);

  // A flipping chain: this primary surface owns `backBuffer`, which goes when this goes.
  void AttachFlipChain(Surface* backBuffer);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG Release() override;
  HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) override;
  HRESULT Blt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags,
              LPDDBLTFX fx) override;
  HRESULT DeleteAttachedSurface(DWORD flags, IDirectDrawSurface7* surface) override;
  HRESULT Flip(IDirectDrawSurface7* override, DWORD flags) override;
  HRESULT GetAttachedSurface(LPDDSCAPS2 caps, IDirectDrawSurface7** surface) override;
  HRESULT GetDC(HDC* dc) override;
  HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 description) override;
  HRESULT IsLost() override;
  HRESULT Lock(LPRECT rect, LPDDSURFACEDESC2 description, DWORD flags, HANDLE event) override;
  HRESULT ReleaseDC(HDC dc) override;
  HRESULT Restore() override;
  HRESULT SetClipper(IDirectDrawClipper* clipper) override;
  HRESULT Unlock(LPRECT rect) override;

  SurfaceKind Kind() const { return kind_; }
  DWORD Width() const { return width_; }
  DWORD Height() const { return height_; }
  Layout PixelLayout() const { return layout_; }
  bool HasDepthBuffer() const;
  bool DrawnInWindow() const { return display_->DrawsInWindow(*this); }
  void MarkLost();
  // The pixel at (x, y) of the readable memory of a surface whose context is out (GetDC).
  COLORREF PixelAt(int x, int y) const;

  // Sends a texture's memory to OpenGL now (or at its first use when there is no context yet).
  void Upload();
  // Makes a texture's OpenGL copy current now: sent only when its memory changed since.
  void MakeResident();
  // OpenGL side; the context must be current. The texture is uploaded when its memory changed.
  GLuint BindTexture(const Sampling& sampling);
  // Binds this render target's frame buffer (made on first use), or the window's when it is drawn
  // there, to `target`.
  bool BindFramebuffer(GLenum target);
  // A render target drawn in the window: copies the window's back buffer into its own frame
  // buffer, where it is drawn from then on.
  void MoveOutOfWindow();

 private:
  ~Surface() override;
  bool Readable() const;
  bool ValidRect(const RECT& rect) const;
  unsigned char* PixelAddress(LONG x, LONG y);
  // Render targets: copies the frame buffer into memory, or memory into the frame buffer.
  void ReadBack();
  void WriteBack();
  HRESULT FillColor(const RECT& rect, DWORD color);
  HRESULT CopyFrom(Surface& source, const RECT& sourceRect, const RECT& destRect);
  HRESULT PresentFrom(Surface& source, const RECT& sourceRect, LPRECT destRect);
  void ReleaseGlObjects();

  std::shared_ptr<Display> display_;
  SurfaceKind kind_;
  DWORD caps_;
  DWORD caps2_;
  Layout layout_;
  DWORD width_;
  DWORD height_;
  LONG pitch_;
  PixelMemory memory_;
  bool lost_ = false;
  bool locked_ = false;
  DWORD lockFlags_ = 0;
  bool contextOut_ = false;
  Surface* flipChainRoot_ = nullptr;
  Surface* flipBackBuffer_ = nullptr;
  std::vector<Surface*> attached_;
  IDirectDrawClipper* clipper_ = nullptr;

  GLuint texture_ = 0;
  bool textureStale_ = true;
  Sampling sampling_;
  GLuint framebuffer_ = 0;
  GLuint colorBuffer_ = 0;
  GLuint depthBuffer_ = 0;
  bool framebufferStale_ = true;
};

}  // namespace platform::directx

namespace platform::directx {

// Descriptions are accepted at their size here and at their size on the 32-bit system.
inline bool ValidDescriptionSize(DWORD size) {
  return size == sizeof(DDSURFACEDESC2) || size == DDSURFACEDESC2_SIZE_32BIT;
}

}  // namespace platform::directx
