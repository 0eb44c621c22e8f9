// The DirectDraw object: cooperation with a window, display modes, surface and clipper creation.
#pragma once

#include <memory>

#include "directx/display.h"
#include "directx/ref_counted.h"

namespace platform::directx {

class DirectDraw final : public RefCounted<IDirectDraw7> {
 public:
  DirectDraw();
  const std::shared_ptr<Display>& SharedDisplay() const { return display_; }

  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) override;
  HRESULT CreateSurface(LPDDSURFACEDESC2 description, IDirectDrawSurface7** surface,
                        IUnknown* outer) override;
  HRESULT RestoreDisplayMode() override;
  HRESULT SetCooperativeLevel(HWND window, DWORD flags) override;
  HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                         DWORD flags) override;
  HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event) override;

 private:
  std::shared_ptr<Display> display_;
};

}  // namespace platform::directx
