#include "directx/directdraw_object.h"

#include "directx/clipper.h"
#include "directx/direct3d_object.h"
#include "directx/surface.h"

namespace platform::directx {
namespace {

constexpr DWORD kLargestSide = 16384;

bool SizeGiven(const DDSURFACEDESC2& d) {
  return (d.dwFlags & DDSD_WIDTH) && (d.dwFlags & DDSD_HEIGHT) && d.dwWidth >= 1 &&
         d.dwHeight >= 1 && d.dwWidth <= kLargestSide && d.dwHeight <= kLargestSide;
}

// The surface that a description asks for, or the error that refuses it.
HRESULT ShapeOf(const DDSURFACEDESC2& d, const Display& display, SurfaceShape& shape) {
  DWORD caps = d.ddsCaps.dwCaps;
  shape.caps = caps;
  shape.caps2 = d.ddsCaps.dwCaps2;
  if (caps & DDSCAPS_PRIMARYSURFACE) {
    if (!display.Window()) return DDERR_NOCOOPERATIVELEVELSET;
    shape.kind = SurfaceKind::kPrimary;
    shape.caps |= DDSCAPS_FRONTBUFFER;
    shape.layout = display.ScreenLayout();
    display.ScreenSize(shape.width, shape.height);
    return DD_OK;
  }
  if (!SizeGiven(d)) return DDERR_INVALIDPARAMS;
  shape.width = d.dwWidth;
  shape.height = d.dwHeight;
  std::optional<Layout> layout = display.ScreenLayout();
  if (d.dwFlags & DDSD_PIXELFORMAT) layout = LayoutOf(d.ddpfPixelFormat);
  if (!layout) return DDERR_INVALIDPIXELFORMAT;
  shape.layout = *layout;
  bool depth = *layout == Layout::kDepth;
  if (((caps & DDSCAPS_ZBUFFER) != 0) != depth) return DDERR_INVALIDPIXELFORMAT;
  if (depth) {
    shape.kind = SurfaceKind::kDepthBuffer;
  } else if (caps & DDSCAPS_TEXTURE) {
    shape.kind = SurfaceKind::kTexture;
  } else if (caps & DDSCAPS_3DDEVICE) {
    // Render targets are OpenGL frame buffers without alpha.
    if (*layout != Layout::kX8R8G8B8 && *layout != Layout::kR5G6B5) return DDERR_INVALIDPIXELFORMAT;
    shape.kind = SurfaceKind::kRenderTarget;
  } else {
    shape.kind = SurfaceKind::kPlain;
  }
  return DD_OK;
}

}  // namespace

DirectDraw::DirectDraw() : display_(std::make_shared<Display>()) {}

HRESULT DirectDraw::QueryInterface(REFIID iid, void** object) {
  if (Recording()) Record({.name = "QueryInterface", .object = this, .kind = iid});
  if (!object) return DDERR_INVALIDPARAMS;
  *object = nullptr;
  if (ShouldFail(DirectXStep::kQueryInterface)) return DDERR_GENERIC;
  if (iid == IID_IDirectDraw7) {
    AddRef();
    *object = static_cast<IDirectDraw7*>(this);
    return DD_OK;
  }
  if (iid == IID_IDirect3D7) {
    *object = static_cast<IDirect3D7*>(new Direct3D(this));
    return DD_OK;
  }
  return E_NOINTERFACE;
}

HRESULT DirectDraw::CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) {
  if (Recording()) Record({.name = "CreateClipper", .object = this, .args = {flags}});
  if (ShouldFail(DirectXStep::kCreateClipper)) return DDERR_GENERIC;
  if (!clipper || outer) return DDERR_INVALIDPARAMS;
  *clipper = new Clipper();
  return DD_OK;
}

HRESULT DirectDraw::CreateSurface(LPDDSURFACEDESC2 description, IDirectDrawSurface7** surface,
                                  IUnknown* outer) {
  if (Recording()) {
    DirectXCall call{.name = "CreateSurface", .object = this};
    if (description) call.description = *description;
    Record(std::move(call));
  }
  if (ShouldFail(DirectXStep::kCreateSurface)) return DDERR_GENERIC;
  if (!surface || outer || !description || !ValidDescriptionSize(description->dwSize) ||
      !(description->dwFlags & DDSD_CAPS)) {
    return DDERR_INVALIDPARAMS;
  }
  *surface = nullptr;
  SurfaceShape shape{};
  HRESULT refused = ShapeOf(*description, *display_, shape);
  if (refused != DD_OK) return refused;
  bool flipping = shape.kind == SurfaceKind::kPrimary && (shape.caps & DDSCAPS_FLIP);
  if (flipping) {
    bool oneBackBuffer = (description->dwFlags & DDSD_BACKBUFFERCOUNT) &&
                         description->dwBackBufferCount == 1 && (shape.caps & DDSCAPS_COMPLEX);
    if (!oneBackBuffer) return DDERR_INVALIDPARAMS;
    if (!display_->FullScreen()) return DDERR_NOEXCLUSIVEMODE;
  }
  auto* made = new Surface(display_, shape);
  if (flipping) {
    SurfaceShape back = shape;
    back.kind = SurfaceKind::kRenderTarget;
    back.caps = DDSCAPS_BACKBUFFER | DDSCAPS_FLIP | DDSCAPS_COMPLEX |
                (shape.caps & (DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY));
    made->AttachFlipChain(new Surface(display_, back));
  }
  *surface = made;
  return DD_OK;
}

HRESULT DirectDraw::RestoreDisplayMode() {
  if (Recording()) Record({.name = "RestoreDisplayMode", .object = this});
  display_->SetMode({});
  return DD_OK;
}

HRESULT DirectDraw::SetCooperativeLevel(HWND window, DWORD flags) {
  if (Recording()) Record({.name = "SetCooperativeLevel", .object = this, .args = {flags}});
  if (ShouldFail(DirectXStep::kSetCooperativeLevel)) return DDERR_GENERIC;
  bool fullScreen = flags & DDSCL_FULLSCREEN;
  bool exclusive = flags & DDSCL_EXCLUSIVE;
  bool normal = flags & DDSCL_NORMAL;
  if (fullScreen != exclusive || normal == fullScreen) return DDERR_INVALIDPARAMS;
  return display_->Cooperate(window, fullScreen) ? DD_OK : DDERR_INVALIDPARAMS;
}

HRESULT DirectDraw::SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                                   DWORD flags) {
  if (Recording()) {
    Record({.name = "SetDisplayMode",
            .object = this,
            .args = {width, height, bitsPerPixel, refreshRate, flags}});
  }
  if (ShouldFail(DirectXStep::kSetDisplayMode)) return DDERR_GENERIC;
  if (!display_->FullScreen()) return DDERR_NOEXCLUSIVEMODE;
  bool supported = (bitsPerPixel == 16 || bitsPerPixel == 32) && width >= 1 && height >= 1 &&
                   width <= kLargestSide && height <= kLargestSide;
  if (!supported) return DDERR_INVALIDMODE;
  display_->SetMode({width, height, bitsPerPixel});
  return DD_OK;
}

HRESULT DirectDraw::WaitForVerticalBlank(DWORD flags, HANDLE) {
  if (Recording()) Record({.name = "WaitForVerticalBlank", .object = this, .args = {flags}});
  if (flags != DDWAITVB_BLOCKBEGIN) return DDERR_UNSUPPORTED;
  // The wait happens when the next frame is shown, which swaps in step with the display.
  display_->WaitForVerticalBlankAtNextPresent();
  return DD_OK;
}

}  // namespace platform::directx

HRESULT DirectDrawCreateEx(GUID* driver, LPVOID* directDraw, REFIID iid, IUnknown* outer) {
  using namespace platform::directx;
  if (Recording()) Record({.name = "DirectDrawCreateEx", .kind = iid});
  if (ShouldFail(platform::DirectXStep::kDirectDrawCreateEx)) return DDERR_GENERIC;
  if (!directDraw || driver || outer || !(iid == IID_IDirectDraw7)) return DDERR_INVALIDPARAMS;
  *directDraw = static_cast<IDirectDraw7*>(new DirectDraw());
  return DD_OK;
}
