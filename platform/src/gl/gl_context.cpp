#include "gl/gl_context.h"

#include "window/sdl_window_maker.h"

namespace platform::gl {
namespace {

template <typename Function>
bool Find(Function& function, const char* name) {
  function = reinterpret_cast<Function>(SDL_GL_GetProcAddress(name));
  return function != nullptr;
}

template <typename Function>
bool Load(Function& function, const char* name) {
  if (Find(function, name)) return true;
  SDL_SetError("OpenGL entry point %s is missing", name);
  return false;
}

bool LoadFunctions(Functions& f) {
  return Load(f.GenFramebuffers, "glGenFramebuffers") &&
         Load(f.DeleteFramebuffers, "glDeleteFramebuffers") &&
         Load(f.BindFramebuffer, "glBindFramebuffer") &&
         Load(f.CheckFramebufferStatus, "glCheckFramebufferStatus") &&
         Load(f.FramebufferRenderbuffer, "glFramebufferRenderbuffer") &&
         Load(f.GenRenderbuffers, "glGenRenderbuffers") &&
         Load(f.DeleteRenderbuffers, "glDeleteRenderbuffers") &&
         Load(f.BindRenderbuffer, "glBindRenderbuffer") &&
         Load(f.RenderbufferStorage, "glRenderbufferStorage") &&
         Load(f.BlitFramebuffer, "glBlitFramebuffer") && Load(f.WindowPos2i, "glWindowPos2i");
}

// The program entry points, which a context of OpenGL 2.0 and up has; the context must be current.
bool LoadShaderFunctions(Functions& f) {
  return glGetString(GL_SHADING_LANGUAGE_VERSION) != nullptr &&
         Find(f.CreateShader, "glCreateShader") && Find(f.ShaderSource, "glShaderSource") &&
         Find(f.CompileShader, "glCompileShader") && Find(f.DeleteShader, "glDeleteShader") &&
         Find(f.CreateProgram, "glCreateProgram") && Find(f.AttachShader, "glAttachShader") &&
         Find(f.LinkProgram, "glLinkProgram") && Find(f.GetProgramiv, "glGetProgramiv") &&
         Find(f.UseProgram, "glUseProgram");
}

}  // namespace

std::shared_ptr<Context> Context::Create(SDL_Window* window, int depthBits) {
  if (!window) {
    SDL_SetError("no window for an OpenGL context");
    return nullptr;
  }
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
  PrepareContextFor(window);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, depthBits);
  SDL_GLContext context = SDL_GL_CreateContext(window);
  if (!context) return nullptr;
  Functions functions;
  if (!LoadFunctions(functions)) {
    SDL_GL_DeleteContext(context);
    return nullptr;
  }
  functions.shaders = LoadShaderFunctions(functions);
  return std::shared_ptr<Context>(new Context(SDL_GetWindowID(window), context, functions));
}

Context::Context(Uint32 windowId, SDL_GLContext context, const Functions& functions)
    : windowId_(windowId), context_(context), functions_(functions) {}

Context::~Context() {
  SDL_GL_DeleteContext(context_);
}

SDL_Window* Context::Window() const {
  return SDL_GetWindowFromID(windowId_);
}

bool Context::SwapKeepsBackBuffer() {
  if (swapKeepsBackBuffer_) return *swapKeepsBackBuffer_;
  SDL_Window* window = Window();
  if (!window) return false;
  // Two frames told apart by their lowest blue bit: exchanged buffers leave the first behind.
  functions_.BindFramebuffer(GL_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  for (float blue : {0.0f, 1.0f / 255.0f}) {
    glClearColor(0, 0, blue, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
  }
  unsigned char pixel[4] = {};
  glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  swapKeepsBackBuffer_ = pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 1;
  return *swapKeepsBackBuffer_;
}

bool Context::MakeCurrent() {
  return MakeCurrentOn(Window());
}

bool Context::MakeCurrentOn(SDL_Window* window) {
  if (!window) return false;
  if (SDL_GL_GetCurrentContext() == context_ && SDL_GL_GetCurrentWindow() == window) return true;
  return SDL_GL_MakeCurrent(window, context_) == 0;
}

}  // namespace platform::gl
