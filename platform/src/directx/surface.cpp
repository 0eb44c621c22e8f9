#include "directx/surface.h"

#include <algorithm>
#include <cstring>

namespace platform::directx {
namespace {

// The surfaces whose device context is out, for GetPixel.
std::vector<const Surface*> g_openContexts;

LONG AlignedPitch(DWORD width, Layout layout) {
  return static_cast<LONG>((width * BytesPerPixel(layout) + 3) & ~3u);
}

// Swaps rows top to bottom: OpenGL keeps a frame buffer's bottom row first.
void FlipRows(unsigned char* pixels, LONG pitch, DWORD height) {
  std::vector<unsigned char> row(static_cast<size_t>(pitch));
  for (DWORD top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
    unsigned char* a = pixels + static_cast<size_t>(top) * pitch;
    unsigned char* b = pixels + static_cast<size_t>(bottom) * pitch;
    std::memcpy(row.data(), a, pitch);
    std::memcpy(a, b, pitch);
    std::memcpy(b, row.data(), pitch);
  }
}

void SetPixelRows(GLenum alignment, GLenum rowLength, LONG pitch, Layout layout) {
  glPixelStorei(alignment, 4);
  glPixelStorei(rowLength, pitch / BytesPerPixel(layout));
}

}  // namespace

Surface::Surface(std::shared_ptr<Display> display, const SurfaceShape& shape)
    : display_(std::move(display)),
      kind_(shape.kind),
      caps_(shape.caps),
      caps2_(shape.caps2),
      layout_(shape.layout),
      width_(shape.width),
      height_(shape.height),
      pitch_(AlignedPitch(shape.width, shape.layout)),
      memory_(Readable() ? static_cast<size_t>(pitch_) * height_ : 0) {}

Surface::~Surface() {
  for (Surface* surface : attached_) surface->Release();
  if (clipper_) clipper_->Release();
  delete flipBackBuffer_;
  if (contextOut_) std::erase(g_openContexts, this);
  display_->Forget(*this);
  ReleaseGlObjects();
}

Surface* Surface::From(IDirectDrawSurface7* surface) {
  return dynamic_cast<Surface*>(surface);
}

void Surface::AttachFlipChain(Surface* backBuffer) {
  flipBackBuffer_ = backBuffer;
  backBuffer->flipChainRoot_ = this;
}

HRESULT Surface::QueryInterface(REFIID, void** object) {
  if (object) *object = nullptr;
  return E_NOINTERFACE;
}

ULONG Surface::Release() {
  // A back buffer of a flipping chain lives as long as its primary surface.
  if (flipChainRoot_ && count_ == 1) {
    RecordCall("Release", this);
    return 1;
  }
  return RefCounted::Release();
}

bool Surface::Readable() const {
  return kind_ == SurfaceKind::kTexture || kind_ == SurfaceKind::kPlain ||
         kind_ == SurfaceKind::kRenderTarget;
}

bool Surface::HasDepthBuffer() const {
  return std::any_of(attached_.begin(), attached_.end(),
                     [](const Surface* s) { return s->kind_ == SurfaceKind::kDepthBuffer; });
}

bool Surface::ValidRect(const RECT& rect) const {
  return rect.left >= 0 && rect.top >= 0 && rect.left < rect.right && rect.top < rect.bottom &&
         rect.right <= static_cast<LONG>(width_) && rect.bottom <= static_cast<LONG>(height_);
}

unsigned char* Surface::PixelAddress(LONG x, LONG y) {
  return memory_.Data() + static_cast<size_t>(y) * pitch_ +
         static_cast<size_t>(x) * BytesPerPixel(layout_);
}

HRESULT Surface::AddAttachedSurface(IDirectDrawSurface7* surface) {
  RecordCall("AddAttachedSurface", this, {}, surface);
  if (ShouldFail(DirectXStep::kAddAttachedSurface)) return DDERR_GENERIC;
  Surface* depth = From(surface);
  if (!depth) return DDERR_INVALIDPARAMS;
  bool fits = depth->kind_ == SurfaceKind::kDepthBuffer && kind_ == SurfaceKind::kRenderTarget &&
              depth->width_ == width_ && depth->height_ == height_;
  if (!fits || HasDepthBuffer()) return DDERR_CANNOTATTACHSURFACE;
  depth->AddRef();
  attached_.push_back(depth);
  framebufferStale_ = true;
  return DD_OK;
}

HRESULT Surface::DeleteAttachedSurface(DWORD flags, IDirectDrawSurface7* surface) {
  RecordCall("DeleteAttachedSurface", this, {flags}, surface);
  std::vector<Surface*> detached;
  if (!surface) {
    detached.swap(attached_);
  } else {
    auto found = std::find(attached_.begin(), attached_.end(), From(surface));
    if (found == attached_.end()) return DDERR_SURFACENOTATTACHED;
    detached.push_back(*found);
    attached_.erase(found);
  }
  framebufferStale_ = framebufferStale_ || !detached.empty();
  for (Surface* s : detached) s->Release();
  return DD_OK;
}

HRESULT Surface::GetAttachedSurface(LPDDSCAPS2 caps, IDirectDrawSurface7** surface) {
  RecordCall("GetAttachedSurface", this, {caps ? caps->dwCaps : 0});
  if (ShouldFail(DirectXStep::kGetAttachedSurface)) return DDERR_GENERIC;
  if (!caps || !surface) return DDERR_INVALIDPARAMS;
  *surface = nullptr;
  std::vector<Surface*> candidates = attached_;
  if (flipBackBuffer_) candidates.insert(candidates.begin(), flipBackBuffer_);
  for (Surface* candidate : candidates) {
    if ((candidate->caps_ & caps->dwCaps) == caps->dwCaps) {
      candidate->AddRef();
      *surface = candidate;
      return DD_OK;
    }
  }
  return DDERR_NOTFOUND;
}

HRESULT Surface::Blt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags,
                     LPDDBLTFX fx) {
  RecordCall("Blt", this, {flags, fx ? fx->dwFillColor : 0}, source);
  if (lost_) return DDERR_SURFACELOST;
  if (flags & DDBLT_COLORFILL) {
    if (!fx) return DDERR_INVALIDPARAMS;
    if (kind_ == SurfaceKind::kPrimary) {
      return destRect ? DDERR_UNSUPPORTED : FillColor(RECT{}, fx->dwFillColor);
    }
    RECT rect = destRect ? *destRect : RECT{0, 0, LONG(width_), LONG(height_)};
    return ValidRect(rect) ? FillColor(rect, fx->dwFillColor) : DDERR_INVALIDRECT;
  }
  Surface* from = From(source);
  if (!from) return DDERR_INVALIDPARAMS;
  if (from->lost_) return DDERR_SURFACELOST;
  RECT fromRect = sourceRect ? *sourceRect : RECT{0, 0, LONG(from->width_), LONG(from->height_)};
  if (!from->ValidRect(fromRect)) return DDERR_INVALIDRECT;
  if (kind_ == SurfaceKind::kPrimary) return PresentFrom(*from, fromRect, destRect);
  RECT toRect = destRect ? *destRect : RECT{0, 0, LONG(width_), LONG(height_)};
  if (!ValidRect(toRect)) return DDERR_INVALIDRECT;
  return CopyFrom(*from, fromRect, toRect);
}

HRESULT Surface::FillColor(const RECT& rect, DWORD color) {
  if (kind_ == SurfaceKind::kDepthBuffer) return DDERR_UNSUPPORTED;
  if (kind_ == SurfaceKind::kPrimary || kind_ == SurfaceKind::kRenderTarget) {
    unsigned char packed[4] = {};
    WritePixel(layout_, packed, color);
    Rgb rgb = ReadRgb(layout_, packed);
    if (!display_->BeginOtherGlWork()) return DDERR_SURFACELOST;
    if (kind_ == SurfaceKind::kPrimary) {
      if (!display_->TakeWindow()) return DDERR_SURFACELOST;
      display_->NoteWindowFilled(rgb.red == 0 && rgb.green == 0 && rgb.blue == 0);
      display_->Gl().BindFramebuffer(GL_FRAMEBUFFER, 0);
      glDisable(GL_SCISSOR_TEST);
    } else {
      if (!BindFramebuffer(GL_FRAMEBUFFER)) return DDERR_GENERIC;
      glEnable(GL_SCISSOR_TEST);
      glScissor(rect.left, static_cast<GLint>(height_) - rect.bottom, rect.right - rect.left,
                rect.bottom - rect.top);
    }
    glClearColor(rgb.red / 255.0f, rgb.green / 255.0f, rgb.blue / 255.0f, 1.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClear(GL_COLOR_BUFFER_BIT);
    return DD_OK;
  }
  for (LONG y = rect.top; y < rect.bottom; ++y) {
    for (LONG x = rect.left; x < rect.right; ++x) WritePixel(layout_, PixelAddress(x, y), color);
  }
  Upload();
  return DD_OK;
}

HRESULT Surface::CopyFrom(Surface& source, const RECT& sourceRect, const RECT& destRect) {
  LONG width = sourceRect.right - sourceRect.left;
  LONG height = sourceRect.bottom - sourceRect.top;
  bool sameShape = width == destRect.right - destRect.left &&
                   height == destRect.bottom - destRect.top && source.layout_ == layout_;
  if (!sameShape || !Readable() || !source.Readable()) return DDERR_UNSUPPORTED;
  source.ReadBack();
  ReadBack();
  size_t rowBytes = static_cast<size_t>(width) * BytesPerPixel(layout_);
  for (LONG row = 0; row < height; ++row) {
    std::memmove(PixelAddress(destRect.left, destRect.top + row),
                 source.PixelAddress(sourceRect.left, sourceRect.top + row), rowBytes);
  }
  if (kind_ == SurfaceKind::kRenderTarget) WriteBack();
  Upload();
  return DD_OK;
}

HRESULT Surface::PresentFrom(Surface& source, const RECT& sourceRect, LPRECT destRect) {
  if (source.kind_ != SurfaceKind::kRenderTarget) return DDERR_UNSUPPORTED;
  if (!destRect) {
    return display_->Present(source, sourceRect, nullptr) ? DD_OK : DDERR_SURFACELOST;
  }
  // The primary surface is the screen: its rectangles are in screen pixels.
  POINT origin = display_->ClientOrigin();
  RECT client{destRect->left - origin.x, destRect->top - origin.y, destRect->right - origin.x,
              destRect->bottom - origin.y};
  return display_->Present(source, sourceRect, &client) ? DD_OK : DDERR_SURFACELOST;
}

HRESULT Surface::Flip(IDirectDrawSurface7* override, DWORD flags) {
  RecordCall("Flip", this, {flags}, override);
  if (!flipBackBuffer_) return DDERR_UNSUPPORTED;
  if (lost_) return DDERR_SURFACELOST;
  RECT whole{0, 0, LONG(flipBackBuffer_->width_), LONG(flipBackBuffer_->height_)};
  return display_->Present(*flipBackBuffer_, whole, nullptr) ? DD_OK : DDERR_SURFACELOST;
}

HRESULT Surface::GetDC(HDC* dc) {
  RecordCall("GetDC", this);
  if (ShouldFail(DirectXStep::kGetDC)) return DDERR_GENERIC;
  if (!dc) return DDERR_INVALIDPARAMS;
  *dc = nullptr;
  if (lost_) return DDERR_SURFACELOST;
  if (locked_ || contextOut_) return DDERR_SURFACEBUSY;
  if (!Readable()) return DDERR_CANTCREATEDC;
  ReadBack();
  contextOut_ = true;
  g_openContexts.push_back(this);
  *dc = reinterpret_cast<HDC>(this);
  return DD_OK;
}

HRESULT Surface::ReleaseDC(HDC dc) {
  RecordCall("ReleaseDC", this);
  if (!contextOut_ || dc != reinterpret_cast<HDC>(this)) return DDERR_NODC;
  contextOut_ = false;
  std::erase(g_openContexts, this);
  return DD_OK;
}

COLORREF Surface::PixelAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= static_cast<int>(width_) || y >= static_cast<int>(height_)) {
    return CLR_INVALID;
  }
  const unsigned char* pixel = memory_.Data() + static_cast<size_t>(y) * pitch_ +
                               static_cast<size_t>(x) * BytesPerPixel(layout_);
  Rgb rgb = ReadRgb(layout_, pixel);
  return rgb.red | (DWORD(rgb.green) << 8) | (DWORD(rgb.blue) << 16);
}

HRESULT Surface::GetSurfaceDesc(LPDDSURFACEDESC2 description) {
  RecordCall("GetSurfaceDesc", this);
  if (!description || !ValidDescriptionSize(description->dwSize)) return DDERR_INVALIDPARAMS;
  DWORD size = description->dwSize;
  std::memset(description, 0, size);
  description->dwSize = size;
  description->dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PIXELFORMAT;
  description->dwWidth = width_;
  description->dwHeight = height_;
  if (Readable()) {
    description->dwFlags |= DDSD_PITCH;
    description->lPitch = pitch_;
  }
  if (flipBackBuffer_) {
    description->dwFlags |= DDSD_BACKBUFFERCOUNT;
    description->dwBackBufferCount = 1;
  }
  description->ddpfPixelFormat = Describe(layout_);
  description->ddsCaps.dwCaps = caps_;
  description->ddsCaps.dwCaps2 = caps2_;
  return DD_OK;
}

HRESULT Surface::IsLost() {
  RecordCall("IsLost", this);
  return lost_ ? DDERR_SURFACELOST : DD_OK;
}

HRESULT Surface::Restore() {
  RecordCall("Restore", this);
  lost_ = false;
  return DD_OK;
}

void Surface::MarkLost() {
  lost_ = true;
  memory_.Clear();
  textureStale_ = true;
}

HRESULT Surface::Lock(LPRECT rect, LPDDSURFACEDESC2 description, DWORD flags, HANDLE) {
  RecordCall("Lock", this, {flags});
  if (ShouldFail(DirectXStep::kLock)) return DDERR_GENERIC;
  if (!description || !ValidDescriptionSize(description->dwSize)) return DDERR_INVALIDPARAMS;
  if (lost_) return DDERR_SURFACELOST;
  if (locked_ || contextOut_) return DDERR_SURFACEBUSY;
  if (!Readable()) return DDERR_UNSUPPORTED;
  RECT area = rect ? *rect : RECT{0, 0, LONG(width_), LONG(height_)};
  if (!ValidRect(area)) return DDERR_INVALIDRECT;
  ReadBack();
  GetSurfaceDesc(description);
  description->dwFlags |= DDSD_LPSURFACE;
  description->lpSurface = PixelAddress(area.left, area.top);
  locked_ = true;
  lockFlags_ = flags;
  return DD_OK;
}

HRESULT Surface::Unlock(LPRECT) {
  RecordCall("Unlock", this);
  if (!locked_) return DDERR_NOTLOCKED;
  locked_ = false;
  if (kind_ == SurfaceKind::kRenderTarget && !(lockFlags_ & DDLOCK_READONLY)) WriteBack();
  Upload();
  return DD_OK;
}

HRESULT Surface::SetClipper(IDirectDrawClipper* clipper) {
  RecordCall("SetClipper", this, {}, clipper);
  if (clipper) clipper->AddRef();
  if (clipper_) clipper_->Release();
  clipper_ = clipper;
  return DD_OK;
}

void Surface::Upload() {
  textureStale_ = true;
  MakeResident();
}

void Surface::MakeResident() {
  if (kind_ == SurfaceKind::kTexture && display_->BeginOtherGlWork()) BindTexture(sampling_);
}

GLuint Surface::BindTexture(const Sampling& sampling) {
  if (kind_ != SurfaceKind::kTexture) return 0;
  GlPixels pixels = GlPixelsOf(layout_);
  bool fresh = texture_ == 0;
  if (fresh) glGenTextures(1, &texture_);
  glBindTexture(GL_TEXTURE_2D, texture_);
  if (fresh || textureStale_) {
    SetPixelRows(GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, pitch_, layout_);
    GLsizei w = static_cast<GLsizei>(width_), h = static_cast<GLsizei>(height_);
    if (fresh) {
      glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(pixels.internalFormat), w, h, 0,
                   pixels.format, pixels.type, memory_.Data());
    } else {
      glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, w, h, pixels.format, pixels.type, memory_.Data());
    }
    textureStale_ = false;
  }
  if (fresh || !(sampling == sampling_)) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, sampling.wrapS);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, sampling.wrapT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, sampling.minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, sampling.magFilter);
    sampling_ = sampling;
  }
  return texture_;
}

bool Surface::BindFramebuffer(GLenum target) {
  if (kind_ != SurfaceKind::kRenderTarget) return false;
  const gl::Functions& gl = display_->Gl();
  if (display_->DrawsInWindow(*this)) {
    if (display_->FitsWindow(*this)) {
      gl.BindFramebuffer(target, 0);
      return true;
    }
    display_->EvictWindowTarget();
  }
  // Drawn into before it ever had a frame buffer (moving out of the window makes one, and so does
  // reading it): maybe straight in the window.
  if (framebuffer_ == 0 && target == GL_FRAMEBUFFER && display_->AdoptWindowTarget(*this)) {
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    ClearToBlack();
    return true;
  }
  if (framebuffer_ == 0) {
    gl.GenFramebuffers(1, &framebuffer_);
    gl.GenRenderbuffers(1, &colorBuffer_);
    gl.BindRenderbuffer(GL_RENDERBUFFER, colorBuffer_);
    // Four bytes a pixel draw faster than three.
    gl.RenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, GLsizei(width_), GLsizei(height_));
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colorBuffer_);
    ClearToBlack();
  }
  if (framebufferStale_) {
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    if (depthBuffer_) gl.DeleteRenderbuffers(1, &depthBuffer_);
    depthBuffer_ = 0;
    if (HasDepthBuffer()) {
      gl.GenRenderbuffers(1, &depthBuffer_);
      gl.BindRenderbuffer(GL_RENDERBUFFER, depthBuffer_);
      gl.RenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, GLsizei(width_),
                             GLsizei(height_));
    }
    gl.FramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer_);
    framebufferStale_ = false;
  }
  gl.BindFramebuffer(target, framebuffer_);
  return gl.CheckFramebufferStatus(target) == GL_FRAMEBUFFER_COMPLETE;
}

void Surface::MoveOutOfWindow() {
  if (!BindFramebuffer(GL_DRAW_FRAMEBUFFER)) return;
  const gl::Functions& gl = display_->Gl();
  gl.BindFramebuffer(GL_READ_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  GLint width = static_cast<GLint>(width_), height = static_cast<GLint>(height_);
  gl.BlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

void Surface::ReadBack() {
  if (kind_ != SurfaceKind::kRenderTarget || !display_->BeginOtherGlWork()) return;
  if (!BindFramebuffer(GL_READ_FRAMEBUFFER)) return;
  GlPixels pixels = GlPixelsOf(layout_);
  SetPixelRows(GL_PACK_ALIGNMENT, GL_PACK_ROW_LENGTH, pitch_, layout_);
  glReadPixels(0, 0, GLsizei(width_), GLsizei(height_), pixels.format, pixels.type, memory_.Data());
  FlipRows(memory_.Data(), pitch_, height_);
}

void Surface::WriteBack() {
  if (!display_->BeginOtherGlWork() || !BindFramebuffer(GL_DRAW_FRAMEBUFFER)) return;
  std::vector<unsigned char> rows(memory_.Data(), memory_.Data() + memory_.Size());
  FlipRows(rows.data(), pitch_, height_);
  GlPixels pixels = GlPixelsOf(layout_);
  glDisable(GL_BLEND);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_FALSE);  // alpha stays 1
  SetPixelRows(GL_UNPACK_ALIGNMENT, GL_UNPACK_ROW_LENGTH, pitch_, layout_);
  display_->Gl().WindowPos2i(0, 0);
  glDrawPixels(GLsizei(width_), GLsizei(height_), pixels.format, pixels.type, rows.data());
}

void Surface::ReleaseGlObjects() {
  if (!texture_ && !framebuffer_) return;
  if (!display_->BeginOtherGlWork()) return;  // the context went with its window
  const gl::Functions& gl = display_->Gl();
  if (texture_) glDeleteTextures(1, &texture_);
  if (framebuffer_) gl.DeleteFramebuffers(1, &framebuffer_);
  if (colorBuffer_) gl.DeleteRenderbuffers(1, &colorBuffer_);
  if (depthBuffer_) gl.DeleteRenderbuffers(1, &depthBuffer_);
}

}  // namespace platform::directx

COLORREF GetPixel(HDC dc, int x, int y) {
  for (const platform::directx::Surface* surface : platform::directx::g_openContexts) {
    if (reinterpret_cast<HDC>(const_cast<platform::directx::Surface*>(surface)) == dc) {
      return surface->PixelAt(x, y);
    }
  }
  return CLR_INVALID;
}

void platform::LoseSurface(IDirectDrawSurface7* surface) {
  if (auto* ours = platform::directx::Surface::From(surface)) ours->MarkLost();
}

bool platform::IsDrawnInWindow(IDirectDrawSurface7* surface) {
  auto* ours = platform::directx::Surface::From(surface);
  return ours && ours->DrawnInWindow();
}
