#include "KGraphicDX.h"

#include <algorithm>
#include <cstring>

#include "DXPictureDevice.h"

DXPictureDevice g_dxPictures;

namespace {

// Allocated once and never destroyed: pictures held by static objects (a game's resource set)
// are deleted at exit after every other static, and still take themselves off the list then.
std::vector<KGraphicDX*>& PictureList() {
  static auto* list = new std::vector<KGraphicDX*>();
  return *list;
}

}  // namespace

KGraphicDX::KGraphicDX() {
  AddToList();
}

KGraphicDX::~KGraphicDX() {
  RemoveFromList();
  FreePicture();
}

const std::vector<KGraphicDX*>& KGraphicDX::LivePictures() {
  return PictureList();
}

void KGraphicDX::AddToList() {
  PictureList().push_back(this);
}

void KGraphicDX::RemoveFromList() {
  std::vector<KGraphicDX*>& list = PictureList();
  auto found = std::find(list.begin(), list.end(), this);
  if (found != list.end()) list.erase(found);
}

void KGraphicDX::SetDevice(IDirectDraw7* directDraw, IDirect3DDevice7* device,
                           IDirectDrawSurface7* backBuffer, uint32_t width, uint32_t height) {
  g_dxPictures = {directDraw, device, backBuffer, width, height, nullptr};
  if (!device) return;
  device->SetRenderState(D3DRENDERSTATE_LIGHTING, FALSE);
  device->SetRenderState(D3DRENDERSTATE_ZENABLE, FALSE);
  device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);
  device->SetRenderState(D3DRENDERSTATE_COLORVERTEX, TRUE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG2, D3DTA_DIFFUSE);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_MODULATE);
  device->SetRenderState(D3DRENDERSTATE_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRENDERSTATE_DESTBLEND, D3DBLEND_INVSRCALPHA);
  device->SetTextureStageState(0, D3DTSS_ADDRESS, D3DTADDRESS_CLAMP);
  device->SetTextureStageState(0, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP);
  device->SetTextureStageState(0, D3DTSS_ADDRESSV, D3DTADDRESS_CLAMP);
  device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTFG_POINT);
  device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTFN_POINT);
  device->SetRenderState(D3DRENDERSTATE_TEXTUREPERSPECTIVE, FALSE);
  device->SetRenderState(D3DRENDERSTATE_ALPHATESTENABLE, FALSE);
  device->SetRenderState(D3DRENDERSTATE_DITHERENABLE, FALSE);
  device->SetRenderState(D3DRENDERSTATE_CLIPPING, TRUE);
  device->SetRenderState(D3DRENDERSTATE_ANTIALIAS, D3DANTIALIAS_NONE);
  device->SetRenderState(D3DRENDERSTATE_EDGEANTIALIAS, FALSE);
}

void KGraphicDX::ReleaseAll() {
  // A copy: nothing here adds or removes pictures, but the list is not ours to hold on to.
  for (KGraphicDX* picture : std::vector<KGraphicDX*>(PictureList())) picture->ReleaseSurface();
}

void KGraphicDX::RestoreAll() {
  for (KGraphicDX* picture : std::vector<KGraphicDX*>(PictureList())) picture->RestoreSurface();
}

void KGraphicDX::ForgetBoundTexture() {
  g_dxPictures.boundTexture = nullptr;
}

void KGraphicDX::ReleaseSurface() {
  if (!surface_) return;
  surface_->DeleteAttachedSurface(0, nullptr);
  surface_->Release();
  surface_ = nullptr;
}

void KGraphicDX::FreePicture() {
  ReleaseSurface();
}

void KGraphicDX::RestoreSurface() {
  if (surface_) {
    surface_->Release();
    surface_ = nullptr;
  }
  char path[MAX_PATH];
  std::memcpy(path, fileName_, sizeof path);
  if (path[0] == '\0') return;
  LoadPicture(path, loadHiQuality_, loadAlpha_);
  ForgetBoundTexture();
}

bool KGraphicDX::SetTexture() {
  if (surface_ == g_dxPictures.boundTexture) return true;
  bool bound = g_dxPictures.device && g_dxPictures.device->SetTexture(0, surface_) == D3D_OK;
  // Only a texture that is really set is remembered, so a failed call is tried again next time.
  g_dxPictures.boundTexture = bound ? surface_ : nullptr;
  return bound;
}

void KGraphicDX::BindRepeat() {
  g_dxPictures.boundTexture = surface_;
  if (g_dxPictures.device) g_dxPictures.device->SetTexture(0, surface_);
}

void KGraphicDX::SetTextureQuality(bool smooth) {
  settings_.smooth = smooth;
}

void KGraphicDX::SetTextureWrap(bool repeat) {
  settings_.wrap = repeat;
}

void KGraphicDX::SetBlitMode(int mode) {
  settings_.SetBlitMode(mode);
}

void KGraphicDX::SetColorKey(bool on, uint8_t r, uint8_t g, uint8_t b) {
  settings_.SetColorKey(on, r, g, b);
}

void KGraphicDX::SetBlitColor(float r, float g, float b, float a) {
  settings_.blitColor.Set(r, g, b, a);
}
