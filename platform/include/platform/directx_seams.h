// Test seams of the DirectDraw and Direct3D objects: a recorder of the calls made on them, failure
// injection for the calls that create or prepare things, and lost surfaces. All off by default.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "platform/direct3d.h"

struct SDL_Window;

namespace platform {

// One call on a DirectDraw or Direct3D object, with copies of what it was given.
struct DirectXCall {
  std::string name;                     // the method, e.g. "SetRenderState", "Release"
  const void* object = nullptr;         // the object it was called on
  std::vector<DWORD> args;              // its integer arguments, in order
  std::vector<float> values;            // its float arguments (Clear's z, a viewport's depth range)
  const void* surface = nullptr;        // its surface argument (SetTexture, Blt's source, ...)
  GUID kind{};                          // CreateDevice, EnumZBufferFormats, QueryInterface
  D3DMATRIX matrix{};                   // SetTransform, GetTransform
  DDSURFACEDESC2 description{};         // CreateSurface
  D3DLIGHT7 light{};                    // SetLight
  D3DMATERIAL7 material{};              // SetMaterial
  std::vector<unsigned char> vertices;  // DrawPrimitive: the vertex bytes

  template <typename Vertex>
  std::vector<Vertex> VerticesAs() const {
    std::vector<Vertex> out(vertices.size() / sizeof(Vertex));
    if (!out.empty()) std::memcpy(out.data(), vertices.data(), out.size() * sizeof(Vertex));
    return out;
  }
};

void RecordDirectXCalls(bool on);
// The calls recorded since the last take.
std::vector<DirectXCall> TakeDirectXCalls();

// The calls that failure injection can make fail.
enum class DirectXStep {
  kDirectDrawCreateEx,
  kQueryInterface,
  kSetCooperativeLevel,
  kSetDisplayMode,
  kCreateSurface,
  kCreateClipper,
  kGetAttachedSurface,
  kAddAttachedSurface,
  kLock,
  kGetDC,
  kCreateDevice,
  kSetViewport,
  kSetTexture,
};

// The step fails (DDERR_GENERIC) once, after `succeedFirst` more calls of it have succeeded.
void FailDirectXStep(DirectXStep step, int succeedFirst = 0);
void ClearDirectXFailures();

// Lit draws light eight vertices at a time where the processor has AVX2, four otherwise; on, they
// keep to four everywhere, so that tests see both.
void LightFourVerticesAtATime(bool on);

// The surface reports DDERR_SURFACELOST until Restore; its memory is zeroed, as a lost surface's
// content is gone.
void LoseSurface(IDirectDrawSurface7* surface);

// Whether the render target is drawn straight into its window's back buffer at present.
bool IsDrawnInWindow(IDirectDrawSurface7* surface);

// Lets DirectDraw cooperate with a window made directly with SDL, without a window of the
// platform layer: the handle then stands for it.
void BindSdlWindow(HWND window, SDL_Window* sdlWindow);
void UnbindSdlWindow(HWND window);

}  // namespace platform
