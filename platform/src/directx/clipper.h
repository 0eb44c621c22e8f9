// A clipper ties the primary surface to the window whose client area it is shown in; here the
// primary is always shown in the window DirectDraw cooperates with, so it only checks the window.
#pragma once

#include "directx/ref_counted.h"

namespace platform::directx {

class Clipper final : public RefCounted<IDirectDrawClipper> {
 public:
  HRESULT QueryInterface(REFIID iid, void** object) override;
  HRESULT SetHWnd(DWORD flags, HWND window) override;
};

}  // namespace platform::directx
