// A Direct3D device that hands every call on to the device it wraps and shows each draw to an
// observer, before and after it is drawn. Put in as the DirectX pictures' device, it sees every
// picture the game draws (the window's own calls go to the wrapped device directly).
#pragma once

#include "platform/win32.h"

// One DrawPrimitive call, with the texture on stage 0 (null: none) and the device that draws it.
struct DrawCall {
  IDirect3DDevice7* device;
  IDirectDrawSurface7* texture;
  D3DPRIMITIVETYPE type;
  DWORD vertexFormat;
  const void* vertices;
  DWORD count;
};

class DrawObserver {
 public:
  virtual ~DrawObserver() = default;
  virtual void BeforeDraw(const DrawCall& call) = 0;
  virtual void AfterDraw() {}
};

class DeviceSpy final : public IDirect3DDevice7 {
 public:
  DeviceSpy(IDirect3DDevice7* device, DrawObserver* observer)
      : device_(device), observer_(observer) {}
  ~DeviceSpy() override = default;

  IDirect3DDevice7* Wrapped() const { return device_; }

  // The spy belongs to whoever made it: references are counted by the wrapped device alone.
  HRESULT QueryInterface(REFIID iid, void** object) override;
  ULONG AddRef() override { return 1; }
  ULONG Release() override { return 1; }
  HRESULT BeginScene() override;
  HRESULT EndScene() override;
  HRESULT Clear(DWORD count, LPD3DRECT rects, DWORD flags, D3DCOLOR color, D3DVALUE z,
                DWORD stencil) override;
  HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, LPD3DMATRIX matrix) override;
  HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, LPD3DMATRIX matrix) override;
  HRESULT SetViewport(LPD3DVIEWPORT7 viewport) override;
  HRESULT GetViewport(LPD3DVIEWPORT7 viewport) override;
  HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
  HRESULT GetRenderState(D3DRENDERSTATETYPE state, LPDWORD value) override;
  HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) override;
  HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) override;
  HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) override;
  HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, LPDWORD value) override;
  HRESULT PreLoad(IDirectDrawSurface7* texture) override;
  HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, LPVOID vertices, DWORD count,
                        DWORD flags) override;
  HRESULT SetLight(DWORD index, LPD3DLIGHT7 light) override {
    return device_->SetLight(index, light);
  }
  HRESULT LightEnable(DWORD index, BOOL enable) override {
    return device_->LightEnable(index, enable);
  }
  HRESULT SetMaterial(LPD3DMATERIAL7 material) override { return device_->SetMaterial(material); }

 private:
  IDirect3DDevice7* device_;
  DrawObserver* observer_;
  IDirectDrawSurface7* texture_ = nullptr;
};

// While it lives, the DirectX pictures draw through a spy on the device the window gave them.
class SpyOnPictures {
 public:
  explicit SpyOnPictures(DrawObserver* observer);
  ~SpyOnPictures();
  SpyOnPictures(const SpyOnPictures&) = delete;
  SpyOnPictures& operator=(const SpyOnPictures&) = delete;

  // The device the window made.
  IDirect3DDevice7* Device() const { return spy_.Wrapped(); }

 private:
  DeviceSpy spy_;
};
