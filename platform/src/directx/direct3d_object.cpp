#include "directx/direct3d_object.h"

#include "directx/device.h"
#include "directx/surface.h"

namespace platform::directx {
namespace {

bool KnownDeviceKind(REFCLSID kind) {
  return kind == IID_IDirect3DTnLHalDevice || kind == IID_IDirect3DHALDevice ||
         kind == IID_IDirect3DMMXDevice || kind == IID_IDirect3DRGBDevice;
}

DDPIXELFORMAT DepthFormat(DWORD flags, DWORD bits, DWORD depthMask, DWORD stencilMask) {
  DDPIXELFORMAT format{};
  format.dwSize = sizeof format;
  format.dwFlags = flags;
  format.dwZBufferBitDepth = bits;
  format.dwStencilBitDepth = stencilMask ? 8 : 0;
  format.dwZBitMask = depthMask;
  format.dwStencilBitMask = stencilMask;
  return format;
}

}  // namespace

Direct3D::Direct3D(DirectDraw* directDraw) : directDraw_(directDraw) {
  directDraw_->AddRef();
}

Direct3D::~Direct3D() {
  directDraw_->Release();
}

HRESULT Direct3D::QueryInterface(REFIID iid, void** object) {
  return directDraw_->QueryInterface(iid, object);
}

HRESULT Direct3D::CreateDevice(REFCLSID kind, IDirectDrawSurface7* target,
                               IDirect3DDevice7** device) {
  if (Recording()) {
    Record({.name = "CreateDevice", .object = this, .surface = target, .kind = kind});
  }
  if (!device) return DDERR_INVALIDPARAMS;
  *device = nullptr;
  if (ShouldFail(DirectXStep::kCreateDevice)) return DDERR_GENERIC;
  Surface* renderTarget = Surface::From(target);
  if (!KnownDeviceKind(kind) || !renderTarget ||
      renderTarget->Kind() != SurfaceKind::kRenderTarget) {
    return DDERR_INVALIDPARAMS;
  }
  const std::shared_ptr<Display>& display = directDraw_->SharedDisplay();
  if (!display->HasContext()) return DDERR_NOCOOPERATIVELEVELSET;
  *device = new Device(display, renderTarget);
  return D3D_OK;
}

HRESULT Direct3D::EnumZBufferFormats(REFCLSID kind, LPD3DENUMPIXELFORMATSCALLBACK callback,
                                     LPVOID context) {
  if (Recording()) Record({.name = "EnumZBufferFormats", .object = this, .kind = kind});
  if (!callback || !KnownDeviceKind(kind)) return DDERR_INVALIDPARAMS;
  // Every device kind offers the same depth buffers, the one with stencil first.
  DDPIXELFORMAT formats[] = {
      DepthFormat(DDPF_ZBUFFER | DDPF_STENCILBUFFER, 32, 0x00FFFFFF, 0xFF000000),
      DepthFormat(DDPF_ZBUFFER, 16, 0x0000FFFF, 0),
      DepthFormat(DDPF_ZBUFFER, 32, 0x00FFFFFF, 0),
  };
  for (DDPIXELFORMAT& format : formats) {
    if (callback(&format, context) == D3DENUMRET_CANCEL) break;
  }
  return D3D_OK;
}

}  // namespace platform::directx
