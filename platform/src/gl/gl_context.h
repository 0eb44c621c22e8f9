// An OpenGL context (compatibility profile, fixed function) made for one SDL window, with the few
// functions beyond OpenGL 1.1 that the renderers use. Shared by the Direct3D stand-in and the WGL
// stand-in.
#pragma once

#include <SDL.h>
#include "gl/opengl.h"

#include <memory>
#include <optional>

namespace platform::gl {

// Entry points newer than OpenGL 1.1, looked up through SDL.
struct Functions {
  PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
  PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
  PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC RenderbufferStorage = nullptr;
  PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
  PFNGLWINDOWPOS2IPROC WindowPos2i = nullptr;
  // GLSL programs, where the context offers them (shaders true).
  bool shaders = false;
  PFNGLCREATESHADERPROC CreateShader = nullptr;
  PFNGLSHADERSOURCEPROC ShaderSource = nullptr;
  PFNGLCOMPILESHADERPROC CompileShader = nullptr;
  PFNGLDELETESHADERPROC DeleteShader = nullptr;
  PFNGLCREATEPROGRAMPROC CreateProgram = nullptr;
  PFNGLATTACHSHADERPROC AttachShader = nullptr;
  PFNGLLINKPROGRAMPROC LinkProgram = nullptr;
  PFNGLGETPROGRAMIVPROC GetProgramiv = nullptr;
  PFNGLUSEPROGRAMPROC UseProgram = nullptr;
};

class Context {
 public:
  // A context whose frame buffer has no alpha channel and a depth buffer of at least `depthBits`
  // (none for 0) where the driver lets the context decide; where the window's frame buffer is
  // made with the window, the window's own decides. The new context is current. Null when the
  // window can't carry a context or lacks a needed entry point (SDL_GetError says).
  static std::shared_ptr<Context> Create(SDL_Window* window, int depthBits);
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;

  // Makes the context current on its window; false once the window has been destroyed.
  bool MakeCurrent();
  // The same on another window whose frame buffer suits the context.
  bool MakeCurrentOn(SDL_Window* window);
  bool IsCurrent() const { return SDL_GL_GetCurrentContext() == context_; }
  SDL_Window* Window() const;
  const Functions& Gl() const { return functions_; }
  // Whether the window's back buffer still holds the frame just shown after a swap, as when a
  // swap copies it out instead of exchanging buffers. Found at the first call, which shows two
  // black frames; the context must be current.
  bool SwapKeepsBackBuffer();
  // The answer once found, without looking; another context on the same window can take it.
  std::optional<bool> KnownSwapKeepsBackBuffer() const { return swapKeepsBackBuffer_; }
  void SetSwapKeepsBackBuffer(bool keeps) { swapKeepsBackBuffer_ = keeps; }

 private:
  Context(Uint32 windowId, SDL_GLContext context, const Functions& functions);

  Uint32 windowId_;
  SDL_GLContext context_;
  Functions functions_;
  std::optional<bool> swapKeepsBackBuffer_;
};

}  // namespace platform::gl
