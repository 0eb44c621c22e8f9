// The Direct3D device: fixed-function states, transforms and draws on OpenGL. Draws are
// transformed to pixels on the CPU and batched while the texture and states stay the same.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <vector>

#include "directx/surface.h"
#include "platform/direct3d.h"

namespace platform::directx {

struct VertexLayout;

class Device final : public RefCounted<IDirect3DDevice7> {
 public:
  Device(std::shared_ptr<Display> display, Surface* target);

  HRESULT QueryInterface(REFIID iid, void** object) override;
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
  HRESULT SetLight(DWORD index, LPD3DLIGHT7 light) override;
  HRESULT LightEnable(DWORD index, BOOL enable) override;
  HRESULT SetMaterial(LPD3DMATERIAL7 material) override;

  static constexpr DWORD kStages = 8;
  static constexpr DWORD kRenderStates = 256;
  static constexpr DWORD kStageStates = 32;

 private:
  ~Device() override;
  // Draws waiting under the current state are sent before the state changes.
  void StateChanging();
  // Context current and this device's state applied to OpenGL.
  bool PrepareToDraw();
  void ApplyGlState();
  void ApplyTextureStage();
  Sampling StageSampling() const;
  // world . view . projection . viewport: from a vertex to pixels of the render target.
  const D3DMATRIX& ToPixels();
  void ResetViewport();
  // A draw that is lit, or flat shaded, or both: each of its vertices gets its colour here.
  void AppendShaded(D3DPRIMITIVETYPE type, DWORD count, GLenum mode, DWORD emitted,
                    const unsigned char* input, const VertexLayout& layout, bool lit, bool flat);
  std::vector<D3DLIGHT7> EnabledLights() const;

  std::shared_ptr<Display> display_;
  Surface* target_;
  std::array<Surface*, kStages> textures_{};
  std::array<DWORD, kRenderStates> renderStates_{};
  std::array<std::array<DWORD, kStageStates>, kStages> stageStates_{};
  D3DMATRIX world_, view_, projection_;
  D3DMATRIX toPixels_;
  bool toPixelsStale_ = true;
  D3DVIEWPORT7 viewport_{};
  bool inScene_ = false;
  struct LightSlot {
    D3DLIGHT7 light;
    bool enabled;
  };
  std::map<DWORD, LightSlot> lights_;
  D3DMATERIAL7 material_{};
};

}  // namespace platform::directx
