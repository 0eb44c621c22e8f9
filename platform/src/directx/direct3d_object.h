// The Direct3D object of a DirectDraw object: depth formats and device creation.
#pragma once

#include "directx/directdraw_object.h"

namespace platform::directx {

class Direct3D final : public RefCounted<IDirect3D7> {
 public:
  // Holds a reference to the DirectDraw object it was queried from.
  explicit Direct3D(DirectDraw* directDraw);

  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT CreateDevice(REFCLSID kind, IDirectDrawSurface7* target,
                       IDirect3DDevice7** device) override;
  HRESULT EnumZBufferFormats(REFCLSID kind, LPD3DENUMPIXELFORMATSCALLBACK callback,
                             LPVOID context) override;

 private:
  ~Direct3D() override;
  DirectDraw* directDraw_;
};

}  // namespace platform::directx
