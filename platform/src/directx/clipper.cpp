#include "directx/clipper.h"

#include "directx/window_binding.h"

namespace platform::directx {

HRESULT Clipper::QueryInterface(REFIID, void** object) {
  if (object) *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT Clipper::SetHWnd(DWORD flags, HWND window) {
  if (Recording()) Record({.name = "SetHWnd", .object = this, .args = {flags}});
  return SdlWindowFor(window) ? DD_OK : DDERR_INVALIDPARAMS;
}

}  // namespace platform::directx
