// Rendering contexts: made for a window's pixel format, current on windows with that format.
#include <SDL.h>

#include <cstring>
#include <map>
#include <memory>

#include "gl/gl_context.h"
#include "gl/pixel_formats.h"
#include "gl/wgl_seams.h"

namespace platform::gl {
namespace {

struct WglContext {
  std::shared_ptr<Context> gl;
  int pixelFormat;
};

struct Contexts {
  std::map<HGLRC, WglContext> live;
  // Handles are counters, never reused, so a deleted context's handle finds nothing.
  uintptr_t nextHandle = 0x20000;
};

// Never destroyed: a context left alive at exit must not be deleted after the driver is gone.
Contexts& g_contexts = *new Contexts;

WglContext* Find(HGLRC handle) {
  auto found = g_contexts.live.find(handle);
  return found == g_contexts.live.end() ? nullptr : &found->second;
}

HGLRC CurrentHandle() {
  for (auto& [handle, context] : g_contexts.live)
    if (context.gl->IsCurrent()) return handle;
  return nullptr;
}

void Release() {
  SDL_GL_MakeCurrent(nullptr, nullptr);
}

// Makes a context for the window current on it, putting back whatever was current before.
std::shared_ptr<Context> CreateLeavingCurrent(SDL_Window* window, int depthBits) {
  SDL_GLContext previous = SDL_GL_GetCurrentContext();
  SDL_Window* previousWindow = SDL_GL_GetCurrentWindow();
  std::shared_ptr<Context> context = Context::Create(window, depthBits);
  if (previous) {
    SDL_GL_MakeCurrent(previousWindow, previous);
  } else {
    Release();
  }
  return context;
}

BOOL WINAPI SwapIntervalExt(int interval) {
  if (interval < 0 || !CurrentHandle()) return FALSE;
  return SDL_GL_SetSwapInterval(interval) == 0 ? TRUE : FALSE;
}

bool MakeCurrent(HDC deviceContext, HGLRC handle) {
  if (ShouldFail(WglStep::kMakeCurrent)) return false;
  WglContext* context = Find(handle);
  Window* window = OpenGlWindowOf(deviceContext);
  return context && window && window->pixelFormat == context->pixelFormat &&
         context->gl->MakeCurrentOn(window->sdl);
}

}  // namespace
}  // namespace platform::gl

HGLRC wglCreateContext(HDC deviceContext) {
  using namespace platform::gl;
  if (ShouldFail(platform::WglStep::kCreateContext)) return nullptr;
  platform::Window* window = OpenGlWindowOf(deviceContext);
  if (!window || window->pixelFormat == 0) return nullptr;
  std::shared_ptr<Context> context =
      CreateLeavingCurrent(window->sdl, OfferedFormat(window->pixelFormat)->cDepthBits);
  if (!context) return nullptr;
  HGLRC handle = reinterpret_cast<HGLRC>(g_contexts.nextHandle);
  g_contexts.nextHandle += 16;
  g_contexts.live[handle] = WglContext{std::move(context), window->pixelFormat};
  return handle;
}

BOOL wglDeleteContext(HGLRC handle) {
  using namespace platform::gl;
  WglContext* context = Find(handle);
  if (!context) return FALSE;
  if (context->gl->IsCurrent()) Release();
  g_contexts.live.erase(handle);
  return TRUE;
}

BOOL wglMakeCurrent(HDC deviceContext, HGLRC handle) {
  using namespace platform::gl;
  if (handle && MakeCurrent(deviceContext, handle)) return TRUE;
  Release();
  return handle ? FALSE : TRUE;
}

HGLRC wglGetCurrentContext() {
  return platform::gl::CurrentHandle();
}

PROC wglGetProcAddress(LPCSTR name) {
  using namespace platform::gl;
  if (!name || !CurrentHandle()) return nullptr;
  if (std::strcmp(name, "wglSwapIntervalEXT") == 0) return reinterpret_cast<PROC>(SwapIntervalExt);
  return reinterpret_cast<PROC>(SDL_GL_GetProcAddress(name));
}

BOOL SwapBuffers(HDC deviceContext) {
  using namespace platform::gl;
  platform::Window* window = OpenGlWindowOf(deviceContext);
  if (!window || !CurrentHandle() || SDL_GL_GetCurrentWindow() != window->sdl) return FALSE;
  SDL_GL_SwapWindow(window->sdl);
  return TRUE;
}
