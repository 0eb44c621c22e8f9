// Making and remaking the DirectX window's DirectDraw objects, surfaces and device, windowed or
// full screen, with the messages a failing step shows.
#include <cstdio>

#include "DX3DDevice.h"
#include "KGraphicDX.h"
#include "KWindowDX.h"
#include "WindowFrame.h"

namespace {

void Message(const char* text) {
  MessageBoxA(nullptr, text, nullptr, MB_OK);
}

template <typename Interface>
void ReleaseAndForget(Interface*& object) {
  if (object) object->Release();
  object = nullptr;
}

struct DepthSearch {
  DDPIXELFORMAT format;
  bool found;
};

HRESULT CALLBACK TakeFirstPlainDepthFormat(LPDDPIXELFORMAT format, LPVOID context) {
  if (!format) return D3DENUMRET_CANCEL;
  if (format->dwFlags != DDPF_ZBUFFER) return D3DENUMRET_OK;
  auto* search = static_cast<DepthSearch*>(context);
  search->format = *format;
  search->found = true;
  return D3DENUMRET_CANCEL;
}

DDSURFACEDESC2 Description(DWORD flags, DWORD caps) {
  DDSURFACEDESC2 description{};
  description.dwSize = sizeof description;
  description.dwFlags = flags;
  description.ddsCaps.dwCaps = caps;
  return description;
}

}  // namespace

bool KWindowDX::CreateContext() {
  bool set = fullScreen_ ? SetUpFullScreen() : SetUpWindowed();
  if (!set) {
    Message(fullScreen_ ? "can't create directX context for fullscreen, please reinstall direct X"
                        : "can't create directX context, please reinstall direct X");
    return false;
  }
  if (!CreateDevice()) return false;
  return true;
}

bool KWindowDX::CreateDirectDrawObjects() {
  if (directDraw_) return true;
  if (DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&directDraw_), IID_IDirectDraw7,
                         nullptr) != DD_OK) {
    directDraw_ = nullptr;
    return false;
  }
  if (directDraw_->QueryInterface(IID_IDirect3D7, reinterpret_cast<void**>(&direct3D_)) != DD_OK) {
    direct3D_ = nullptr;
    return false;
  }
  return true;
}

void KWindowDX::ClearToBlack(IDirectDrawSurface7* surface) {
  DDBLTFX fx{};
  fx.dwSize = sizeof fx;
  fx.dwFillColor = 0;
  surface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
}

bool KWindowDX::SetUpWindowed() {
  if (!CreateDirectDrawObjects()) return false;
  ReleaseSurfaces();  // coming back from full screen
  if (directDraw_->SetCooperativeLevel(window_, DDSCL_NORMAL) != DD_OK) {
    Message("could not change cooperative level");
    return false;
  }
  DDSURFACEDESC2 primary = Description(DDSD_CAPS, DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY);
  if (directDraw_->CreateSurface(&primary, &primary_, nullptr) != DD_OK) {
    primary_ = nullptr;
    Message("can't create primary surface for window mode");
    return false;
  }
  DDSURFACEDESC2 back =
      Description(DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH,
                  DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY);
  back.dwWidth = DWORD(width_);
  back.dwHeight = DWORD(height_);
  if (directDraw_->CreateSurface(&back, &backBuffer_, nullptr) != DD_OK) {
    backBuffer_ = nullptr;
    Message("can't create backbuffer");
    return false;
  }
  ownsBackBuffer_ = true;
  if (zBufferWanted_ && !CreateZBuffer()) return false;
  IDirectDrawClipper* clipper = nullptr;
  if (directDraw_->CreateClipper(0, &clipper, nullptr) != DD_OK) return false;
  clipper->SetHWnd(0, window_);
  primary_->SetClipper(clipper);
  clipper->Release();
  ClearToBlack(primary_);
  ClearToBlack(backBuffer_);
  return true;
}

bool KWindowDX::SetUpFullScreen() {
  if (!CreateDirectDrawObjects()) return false;
  ReleaseSurfaces();
  if (directDraw_->SetCooperativeLevel(window_, DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT |
                                                    DDSCL_EXCLUSIVE | DDSCL_FPUSETUP) != DD_OK) {
    Message("could not change cooperative level");
    return false;
  }
  if (depth_ < 1) depth_ = 16;
  if (directDraw_->SetDisplayMode(DWORD(width_), DWORD(height_), DWORD(depth_), 0, 0) != DD_OK) {
    char text[96];
    std::snprintf(text, sizeof text, "Could not switch screen to %dx%d %d bits", width_, height_,
                  depth_);
    Message(text);
    return false;
  }
  DDSURFACEDESC2 primary = Description(DDSD_CAPS | DDSD_BACKBUFFERCOUNT,
                                       DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX |
                                           DDSCAPS_3DDEVICE | DDSCAPS_VIDEOMEMORY);
  primary.dwBackBufferCount = 1;
  if (directDraw_->CreateSurface(&primary, &primary_, nullptr) != DD_OK) {
    primary_ = nullptr;
    return false;
  }
  DDSCAPS2 backCaps{DDSCAPS_BACKBUFFER, 0, 0, 0};
  if (primary_->GetAttachedSurface(&backCaps, &backBuffer_) != DD_OK) {
    backBuffer_ = nullptr;
    return false;
  }
  // The flipping chain holds the back buffer; the window keeps no reference of its own.
  backBuffer_->Release();
  primary_->SetClipper(nullptr);
  backBuffer_->SetClipper(nullptr);
  ClearToBlack(primary_);
  ClearToBlack(backBuffer_);
  return true;
}

bool KWindowDX::CreateZBuffer() {
  DepthSearch search{};
  search.format.dwSize = sizeof search.format;
  search.format.dwFlags = DDPF_ZBUFFER;
  const CLSID* kinds[] = {&IID_IDirect3DTnLHalDevice, &IID_IDirect3DHALDevice,
                          &IID_IDirect3DMMXDevice, &IID_IDirect3DRGBDevice};
  bool software = false;
  for (const CLSID* kind : kinds) {
    direct3D_->EnumZBufferFormats(*kind, TakeFirstPlainDepthFormat, &search);
    if (search.found) {
      software = kind == &IID_IDirect3DMMXDevice || kind == &IID_IDirect3DRGBDevice;
      break;
    }
  }
  DDSURFACEDESC2 depth =
      Description(DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT,
                  DDSCAPS_ZBUFFER | (software ? DDSCAPS_SYSTEMMEMORY : DDSCAPS_VIDEOMEMORY));
  depth.dwWidth = DWORD(width_);
  depth.dwHeight = DWORD(height_);
  depth.ddpfPixelFormat = search.format;
  if (directDraw_->CreateSurface(&depth, &zBuffer_, nullptr) != DD_OK) {
    zBuffer_ = nullptr;
    Message("can't create Z buffer");
    return false;
  }
  if (backBuffer_->AddAttachedSurface(zBuffer_) != DD_OK) {
    Message("can't attach Z buffer");
    return false;
  }
  return true;
}

bool KWindowDX::SetViewport() {
  D3DVIEWPORT7 viewport{0, 0, DWORD(width_), DWORD(height_), 0.0f, 1.0f};
  return device_->SetViewport(&viewport) == D3D_OK;
}

bool KWindowDX::CreateDevice() {
  ReleaseDevice();
  const CLSID* kinds[] = {&IID_IDirect3DTnLHalDevice, &IID_IDirect3DHALDevice,
                          &IID_IDirect3DRGBDevice};
  for (const CLSID* kind : kinds) {
    if (direct3D_->CreateDevice(*kind, backBuffer_, &device_) == D3D_OK) break;
    device_ = nullptr;
  }
  if (!device_) return false;
  if (!SetViewport()) return false;
  KGraphicDX::SetDevice(directDraw_, device_, backBuffer_, uint32_t(width_), uint32_t(height_));
  SetDX3DDevice(width_, height_, device_);
  return true;
}

void KWindowDX::ReleaseDevice() {
  if (!device_) return;
  device_->EndScene();
  ReleaseAndForget(device_);
  // Neither the pictures nor the 3D objects may draw on a released device.
  KGraphicDX::SetDevice(nullptr, nullptr, nullptr, 0, 0);
  SetDX3DDevice(width_, height_, nullptr);
}

void KWindowDX::ReleaseSurfaces() {
  ReleaseAndForget(zBuffer_);
  if (ownsBackBuffer_) {
    ReleaseAndForget(backBuffer_);
  } else {
    backBuffer_ = nullptr;  // it goes with the primary's flipping chain
  }
  ownsBackBuffer_ = false;
  ReleaseAndForget(primary_);
}

KWindowDX::~KWindowDX() {
  softwareCursor_ = false;
  ReleaseDevice();
  ReleaseAndForget(direct3D_);
  ReleaseSurfaces();
  ReleaseAndForget(directDraw_);
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
}

void KWindowDX::SetFullScreen(bool fullScreen) {
  if (fullScreen == fullScreen_) return;
  KGraphicDX::ReleaseAll();
  ReleaseDevice();
  ReleaseAndForget(zBuffer_);
  fullScreen_ = fullScreen;
  if (!window_) return;
  bool set = false;
  if (fullScreen) {
    WindowFrame::Restyle(window_, true, width_, height_);
    set = SetUpFullScreen();
  } else if (directDraw_) {
    directDraw_->RestoreDisplayMode();
    WindowFrame::Restyle(window_, false, width_, height_);
    set = SetUpWindowed();
  }
  if (!set || !CreateDevice()) {
    Message(fullScreen ? "can't create directX context for fullscreen, please reinstall direct X"
                       : "can't create directX context, please reinstall direct X");
    return;
  }
  KGraphicDX::RestoreAll();
}
