#include "device_spy.h"

#include "DXPictureDevice.h"
#include "KGraphicDX.h"

HRESULT DeviceSpy::QueryInterface(REFIID iid, void** object) {
  return device_->QueryInterface(iid, object);
}
HRESULT DeviceSpy::BeginScene() {
  return device_->BeginScene();
}
HRESULT DeviceSpy::EndScene() {
  return device_->EndScene();
}
HRESULT DeviceSpy::Clear(DWORD count, LPD3DRECT rects, DWORD flags, D3DCOLOR color, D3DVALUE z,
                         DWORD stencil) {
  return device_->Clear(count, rects, flags, color, z, stencil);
}
HRESULT DeviceSpy::SetTransform(D3DTRANSFORMSTATETYPE type, LPD3DMATRIX matrix) {
  return device_->SetTransform(type, matrix);
}
HRESULT DeviceSpy::GetTransform(D3DTRANSFORMSTATETYPE type, LPD3DMATRIX matrix) {
  return device_->GetTransform(type, matrix);
}
HRESULT DeviceSpy::SetViewport(LPD3DVIEWPORT7 viewport) {
  return device_->SetViewport(viewport);
}
HRESULT DeviceSpy::GetViewport(LPD3DVIEWPORT7 viewport) {
  return device_->GetViewport(viewport);
}
HRESULT DeviceSpy::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  return device_->SetRenderState(state, value);
}
HRESULT DeviceSpy::GetRenderState(D3DRENDERSTATETYPE state, LPDWORD value) {
  return device_->GetRenderState(state, value);
}
HRESULT DeviceSpy::SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) {
  return device_->SetRenderTarget(surface, flags);
}
HRESULT DeviceSpy::SetTexture(DWORD stage, IDirectDrawSurface7* texture) {
  HRESULT result = device_->SetTexture(stage, texture);
  if (stage == 0 && result == D3D_OK) texture_ = texture;
  return result;
}
HRESULT DeviceSpy::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
  return device_->SetTextureStageState(stage, state, value);
}
HRESULT DeviceSpy::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                        LPDWORD value) {
  return device_->GetTextureStageState(stage, state, value);
}
HRESULT DeviceSpy::PreLoad(IDirectDrawSurface7* texture) {
  return device_->PreLoad(texture);
}
HRESULT DeviceSpy::DrawPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, LPVOID vertices,
                                 DWORD count, DWORD flags) {
  observer_->BeforeDraw({device_, texture_, type, vertexFormat, vertices, count});
  HRESULT result = device_->DrawPrimitive(type, vertexFormat, vertices, count, flags);
  observer_->AfterDraw();
  return result;
}

SpyOnPictures::SpyOnPictures(DrawObserver* observer) : spy_(g_dxPictures.device, observer) {
  KGraphicDX::SetDevice(g_dxPictures.directDraw, &spy_, g_dxPictures.backBuffer, g_dxPictures.width,
                        g_dxPictures.height);
}

SpyOnPictures::~SpyOnPictures() {
  KGraphicDX::SetDevice(g_dxPictures.directDraw, spy_.Wrapped(), g_dxPictures.backBuffer,
                        g_dxPictures.width, g_dxPictures.height);
}
