// The device's lights and material. They only take effect in the colours of lit draws, worked
// out as each draw is appended, so changing them sends nothing waiting.
#include "directx/device.h"
#include "directx/lighting.h"

namespace platform::directx {

HRESULT Device::SetLight(DWORD index, LPD3DLIGHT7 light) {
  if (Recording()) {
    DirectXCall call{.name = "SetLight", .object = this, .args = {index}};
    if (light) call.light = *light;
    Record(std::move(call));
  }
  if (!light || !ValidLight(*light)) return DDERR_INVALIDPARAMS;
  lights_[index].light = *light;  // a new light starts disabled
  return D3D_OK;
}

HRESULT Device::LightEnable(DWORD index, BOOL enable) {
  if (Recording()) {
    Record({.name = "LightEnable", .object = this, .args = {index, DWORD(enable)}});
  }
  auto found = lights_.try_emplace(index, LightSlot{DefaultLight(), false}).first;
  found->second.enabled = enable != FALSE;
  return D3D_OK;
}

HRESULT Device::SetMaterial(LPD3DMATERIAL7 material) {
  if (Recording()) {
    DirectXCall call{.name = "SetMaterial", .object = this};
    if (material) call.material = *material;
    Record(std::move(call));
  }
  if (!material) return DDERR_INVALIDPARAMS;
  material_ = *material;
  return D3D_OK;
}

std::vector<D3DLIGHT7> Device::EnabledLights() const {
  std::vector<D3DLIGHT7> enabled;
  for (const auto& [index, slot] : lights_) {
    if (slot.enabled) enabled.push_back(slot.light);
  }
  return enabled;
}

}  // namespace platform::directx
