#include "directx/device.h"

#include <algorithm>

#include "directx/vertices.h"

namespace platform::directx {
namespace {

bool Blend(DWORD value) {
  return value >= D3DBLEND_ZERO && value <= 13;
}
bool StageOp(DWORD op) {
  return op >= D3DTOP_DISABLE && op <= D3DTOP_MODULATE;
}
bool StageArgument(DWORD argument) {
  return argument <= D3DTA_TEXTURE;
}
bool Address(DWORD mode) {
  return mode >= D3DTADDRESS_WRAP && mode <= 4;
}
bool Filter(DWORD filter) {
  return filter >= D3DTFG_POINT && filter <= 5;
}

// Values the OpenGL side can't express are refused rather than drawn wrongly.
bool AcceptedStageValue(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
  switch (state) {
    case D3DTSS_COLOROP:
    case D3DTSS_ALPHAOP:
      return stage > 0 || StageOp(value);
    case D3DTSS_COLORARG1:
    case D3DTSS_COLORARG2:
    case D3DTSS_ALPHAARG1:
    case D3DTSS_ALPHAARG2:
      return stage > 0 || StageArgument(value);
    case D3DTSS_ADDRESS:
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV:
      return Address(value);
    case D3DTSS_MAGFILTER:
    case D3DTSS_MINFILTER:
      return Filter(value);
  }
  return true;
}

}  // namespace

Device::Device(std::shared_ptr<Display> display, Surface* target)
    : display_(std::move(display)),
      target_(target),
      world_(Identity()),
      view_(Identity()),
      projection_(Identity()) {
  target_->AddRef();
  renderStates_[D3DRENDERSTATE_ZENABLE] = target_->HasDepthBuffer() ? D3DZB_TRUE : D3DZB_FALSE;
  renderStates_[D3DRENDERSTATE_SRCBLEND] = D3DBLEND_ONE;
  renderStates_[D3DRENDERSTATE_DESTBLEND] = D3DBLEND_ZERO;
  renderStates_[D3DRENDERSTATE_CULLMODE] = D3DCULL_CCW;
  renderStates_[D3DRENDERSTATE_TEXTUREPERSPECTIVE] = TRUE;
  renderStates_[D3DRENDERSTATE_CLIPPING] = TRUE;
  renderStates_[D3DRENDERSTATE_LIGHTING] = TRUE;
  renderStates_[D3DRENDERSTATE_COLORVERTEX] = TRUE;
  renderStates_[D3DRENDERSTATE_SHADEMODE] = D3DSHADE_GOURAUD;
  renderStates_[D3DRENDERSTATE_DIFFUSEMATERIALSOURCE] = D3DMCS_COLOR1;
  renderStates_[D3DRENDERSTATE_SPECULARMATERIALSOURCE] = D3DMCS_COLOR2;
  for (DWORD stage = 0; stage < kStages; ++stage) {
    std::array<DWORD, kStageStates>& states = stageStates_[stage];
    states[D3DTSS_COLOROP] = stage == 0 ? D3DTOP_MODULATE : D3DTOP_DISABLE;
    states[D3DTSS_COLORARG1] = D3DTA_TEXTURE;
    states[D3DTSS_COLORARG2] = D3DTA_CURRENT;
    states[D3DTSS_ALPHAOP] = stage == 0 ? D3DTOP_SELECTARG1 : D3DTOP_DISABLE;
    states[D3DTSS_ALPHAARG1] = D3DTA_TEXTURE;
    states[D3DTSS_ALPHAARG2] = D3DTA_CURRENT;
    states[D3DTSS_ADDRESS] = states[D3DTSS_ADDRESSU] = states[D3DTSS_ADDRESSV] = D3DTADDRESS_WRAP;
    states[D3DTSS_MAGFILTER] = D3DTFG_POINT;
    states[D3DTSS_MINFILTER] = D3DTFN_POINT;
  }
  ResetViewport();
}

Device::~Device() {
  StateChanging();
  if (display_->Draws().stateOwner == this) display_->Draws().stateOwner = nullptr;
  for (Surface* texture : textures_) {
    if (texture) texture->Release();
  }
  target_->Release();
}

void Device::ResetViewport() {
  viewport_ = {0, 0, target_->Width(), target_->Height(), 0.0f, 1.0f};
  toPixelsStale_ = true;
}

HRESULT Device::QueryInterface(REFIID, void** object) {
  if (object) *object = nullptr;
  return E_NOINTERFACE;
}

HRESULT Device::BeginScene() {
  RecordCall("BeginScene", this);
  if (inScene_) return D3DERR_SCENE_IN_SCENE;
  inScene_ = true;
  return D3D_OK;
}

HRESULT Device::EndScene() {
  RecordCall("EndScene", this);
  if (!inScene_) return D3DERR_SCENE_NOT_IN_SCENE;
  inScene_ = false;
  if (display_->MakeCurrent()) display_->Draws().Flush();
  return D3D_OK;
}

HRESULT Device::Clear(DWORD count, LPD3DRECT rects, DWORD flags, D3DCOLOR color, D3DVALUE z,
                      DWORD stencil) {
  if (Recording()) {
    DirectXCall call{.name = "Clear", .object = this, .args = {count, flags, color, stencil}};
    for (DWORD i = 0; rects && i < count; ++i) {
      call.args.insert(call.args.end(), {DWORD(rects[i].x1), DWORD(rects[i].y1), DWORD(rects[i].x2),
                                         DWORD(rects[i].y2)});
    }
    call.values = {z};
    Record(std::move(call));
  }
  if (!(flags & (D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER)) || (count > 0 && !rects)) {
    return DDERR_INVALIDPARAMS;
  }
  if ((flags & D3DCLEAR_ZBUFFER) && !target_->HasDepthBuffer()) return D3DERR_ZBUFFER_NOTPRESENT;
  if (!PrepareToDraw()) return DDERR_SURFACELOST;
  display_->Draws().Flush();
  GLbitfield buffers = 0;
  if (flags & D3DCLEAR_TARGET) {
    buffers |= GL_COLOR_BUFFER_BIT;
    // The target's alpha stays 1 whatever the colour's alpha: it stands for "no alpha channel".
    glClearColor(((color >> 16) & 0xFF) / 255.0f, ((color >> 8) & 0xFF) / 255.0f,
                 (color & 0xFF) / 255.0f, 1.0f);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  }
  if (flags & D3DCLEAR_ZBUFFER) {
    buffers |= GL_DEPTH_BUFFER_BIT;
    glDepthMask(GL_TRUE);
    glClearDepth(std::clamp(z, 0.0f, 1.0f));
  }
  D3DRECT whole{LONG(viewport_.dwX), LONG(viewport_.dwY), LONG(viewport_.dwX + viewport_.dwWidth),
                LONG(viewport_.dwY + viewport_.dwHeight)};
  LONG targetHeight = static_cast<LONG>(target_->Height());
  glEnable(GL_SCISSOR_TEST);
  for (DWORD i = 0; i < std::max<DWORD>(count, 1); ++i) {
    D3DRECT area = count > 0 ? rects[i] : whole;
    LONG left = std::max(area.x1, whole.x1), right = std::min(area.x2, whole.x2);
    LONG top = std::max(area.y1, whole.y1), bottom = std::min(area.y2, whole.y2);
    if (left >= right || top >= bottom) continue;
    bool wholeTarget =
        left == 0 && top == 0 && right == LONG(target_->Width()) && bottom == targetHeight;
    // Without a scissor OpenGL clears the whole buffer at once.
    if (wholeTarget) glDisable(GL_SCISSOR_TEST);
    glScissor(left, targetHeight - bottom, right - left, bottom - top);
    glClear(buffers);
    glEnable(GL_SCISSOR_TEST);
  }
  // Scissor and depth mask were changed: the next draw applies its state again.
  display_->Draws().stateOwner = nullptr;
  return D3D_OK;
}

HRESULT Device::SetTransform(D3DTRANSFORMSTATETYPE type, LPD3DMATRIX matrix) {
  if (Recording()) {
    DirectXCall call{.name = "SetTransform", .object = this, .args = {DWORD(type)}};
    if (matrix) call.matrix = *matrix;
    Record(std::move(call));
  }
  if (!matrix) return DDERR_INVALIDPARAMS;
  switch (type) {
    case D3DTRANSFORMSTATE_WORLD:
      world_ = *matrix;
      break;
    case D3DTRANSFORMSTATE_VIEW:
      view_ = *matrix;
      break;
    case D3DTRANSFORMSTATE_PROJECTION:
      projection_ = *matrix;
      break;
    default:
      return DDERR_INVALIDPARAMS;
  }
  toPixelsStale_ = true;
  return D3D_OK;
}

HRESULT Device::GetTransform(D3DTRANSFORMSTATETYPE type, LPD3DMATRIX matrix) {
  if (!matrix) return DDERR_INVALIDPARAMS;
  switch (type) {
    case D3DTRANSFORMSTATE_WORLD:
      *matrix = world_;
      break;
    case D3DTRANSFORMSTATE_VIEW:
      *matrix = view_;
      break;
    case D3DTRANSFORMSTATE_PROJECTION:
      *matrix = projection_;
      break;
    default:
      return DDERR_INVALIDPARAMS;
  }
  if (Recording()) {
    Record({.name = "GetTransform", .object = this, .args = {DWORD(type)}, .matrix = *matrix});
  }
  return D3D_OK;
}

HRESULT Device::SetViewport(LPD3DVIEWPORT7 viewport) {
  if (Recording()) {
    DirectXCall call{.name = "SetViewport", .object = this};
    if (viewport) {
      call.args = {viewport->dwX, viewport->dwY, viewport->dwWidth, viewport->dwHeight};
      call.values = {viewport->dvMinZ, viewport->dvMaxZ};
    }
    Record(std::move(call));
  }
  if (ShouldFail(DirectXStep::kSetViewport)) return DDERR_GENERIC;
  if (!viewport) return DDERR_INVALIDPARAMS;
  const D3DVIEWPORT7& v = *viewport;
  bool fits = v.dwWidth >= 1 && v.dwHeight >= 1 && v.dwX + v.dwWidth <= target_->Width() &&
              v.dwY + v.dwHeight <= target_->Height() && v.dwX < target_->Width() &&
              v.dwY < target_->Height();
  bool depths = v.dvMinZ >= 0.0f && v.dvMaxZ <= 1.0f && v.dvMinZ <= v.dvMaxZ;
  if (!fits || !depths) return DDERR_INVALIDPARAMS;
  bool same = v.dwX == viewport_.dwX && v.dwY == viewport_.dwY && v.dwWidth == viewport_.dwWidth &&
              v.dwHeight == viewport_.dwHeight && v.dvMinZ == viewport_.dvMinZ &&
              v.dvMaxZ == viewport_.dvMaxZ;
  if (same) return D3D_OK;
  StateChanging();
  viewport_ = v;
  toPixelsStale_ = true;
  return D3D_OK;
}

HRESULT Device::GetViewport(LPD3DVIEWPORT7 viewport) {
  if (!viewport) return DDERR_INVALIDPARAMS;
  *viewport = viewport_;
  return D3D_OK;
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
  RecordCall("SetRenderState", this, {DWORD(state), value});
  if (DWORD(state) >= kRenderStates) return DDERR_INVALIDPARAMS;
  bool blendFactor = state == D3DRENDERSTATE_SRCBLEND || state == D3DRENDERSTATE_DESTBLEND;
  if (blendFactor && !Blend(value)) return DDERR_INVALIDPARAMS;
  if (renderStates_[state] == value) return D3D_OK;
  StateChanging();
  renderStates_[state] = value;
  return D3D_OK;
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, LPDWORD value) {
  if (!value || DWORD(state) >= kRenderStates) return DDERR_INVALIDPARAMS;
  *value = renderStates_[state];
  return D3D_OK;
}

HRESULT Device::SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) {
  RecordCall("SetRenderTarget", this, {flags}, surface);
  Surface* target = Surface::From(surface);
  if (!target || target->Kind() != SurfaceKind::kRenderTarget) return DDERR_INVALIDPARAMS;
  if (target == target_) return D3D_OK;
  StateChanging();
  target->AddRef();
  target_->Release();
  target_ = target;
  ResetViewport();
  return D3D_OK;
}

HRESULT Device::SetTexture(DWORD stage, IDirectDrawSurface7* texture) {
  RecordCall("SetTexture", this, {stage}, texture);
  if (ShouldFail(DirectXStep::kSetTexture)) return DDERR_GENERIC;
  Surface* surface = Surface::From(texture);
  if (stage >= kStages || (texture && (!surface || surface->Kind() != SurfaceKind::kTexture))) {
    return DDERR_INVALIDPARAMS;
  }
  if (textures_[stage] == surface) return D3D_OK;
  if (stage == 0) StateChanging();
  if (surface) surface->AddRef();
  if (textures_[stage]) textures_[stage]->Release();
  textures_[stage] = surface;
  return D3D_OK;
}

HRESULT Device::SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, DWORD value) {
  RecordCall("SetTextureStageState", this, {stage, DWORD(state), value});
  if (stage >= kStages || DWORD(state) >= kStageStates) return DDERR_INVALIDPARAMS;
  if (!AcceptedStageValue(stage, state, value)) return DDERR_UNSUPPORTED;
  std::array<DWORD, kStageStates>& states = stageStates_[stage];
  bool both = state == D3DTSS_ADDRESS;
  bool same = both ? states[D3DTSS_ADDRESSU] == value && states[D3DTSS_ADDRESSV] == value
                   : states[state] == value;
  if (same) {
    states[state] = value;
    return D3D_OK;
  }
  if (stage == 0) StateChanging();
  states[state] = value;
  if (both) states[D3DTSS_ADDRESSU] = states[D3DTSS_ADDRESSV] = value;
  return D3D_OK;
}

HRESULT Device::GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state, LPDWORD value) {
  if (!value || stage >= kStages || DWORD(state) >= kStageStates) return DDERR_INVALIDPARAMS;
  *value = stageStates_[stage][state];
  return D3D_OK;
}

HRESULT Device::PreLoad(IDirectDrawSurface7* texture) {
  RecordCall("PreLoad", this, {}, texture);
  Surface* surface = Surface::From(texture);
  if (!surface || surface->Kind() != SurfaceKind::kTexture) return DDERR_INVALIDPARAMS;
  surface->MakeResident();
  return D3D_OK;
}

}  // namespace platform::directx
