#include "directx/display.h"

#include "directx/surface.h"
#include "directx/window_binding.h"
#include "platform/win32_input.h"

namespace platform::directx {

bool Display::Cooperate(HWND window, bool fullScreen) {
  SDL_Window* sdlWindow = SdlWindowFor(window);
  if (!sdlWindow) return false;
  if (!context_ || context_->Window() != sdlWindow) {
    std::shared_ptr<gl::Context> context = gl::Context::Create(sdlWindow);
    if (!context) return false;
    context_ = std::move(context);
    batch_.stateOwner = nullptr;
    swapInterval_ = -1;
  }
  window_ = window;
  if (fullScreen != fullScreen_) {
    SDL_SetWindowFullscreen(sdlWindow, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }
  fullScreen_ = fullScreen;
  return true;
}

Layout Display::ScreenLayout() const {
  return mode_.bitsPerPixel == 16 ? Layout::R5G6B5 : Layout::X8R8G8B8;
}

void Display::ScreenSize(DWORD& width, DWORD& height) const {
  if (mode_.width > 0 && mode_.height > 0) {
    width = mode_.width;
    height = mode_.height;
    return;
  }
  SDL_DisplayMode desktop{};
  if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) desktop.w = desktop.h = 0;
  width = desktop.w > 0 ? static_cast<DWORD>(desktop.w) : 640;
  height = desktop.h > 0 ? static_cast<DWORD>(desktop.h) : 480;
}

bool Display::MakeCurrent() {
  return context_ && context_->MakeCurrent();
}

bool Display::BeginOtherGlWork() {
  if (!MakeCurrent()) return false;
  batch_.Flush();
  batch_.stateOwner = nullptr;
  return true;
}

POINT Display::ClientOrigin() const {
  POINT origin{0, 0};
  if (ClientToScreen(window_, &origin)) return origin;
  // A window made directly with SDL: its position is its client area's.
  SDL_Window* sdlWindow = context_ ? context_->Window() : nullptr;
  if (sdlWindow) SDL_GetWindowPosition(sdlWindow, &origin.x, &origin.y);
  return origin;
}

bool Display::Present(Surface& backBuffer, const RECT& source, const RECT* destination) {
  if (!BeginOtherGlWork() || !backBuffer.BindFramebuffer(GL_READ_FRAMEBUFFER)) return false;
  SDL_Window* sdlWindow = context_->Window();
  int drawableWidth = 0, drawableHeight = 0;
  SDL_GL_GetDrawableSize(sdlWindow, &drawableWidth, &drawableHeight);
  RECT target = destination ? *destination : RECT{0, 0, drawableWidth, drawableHeight};
  LONG sourceHeight = static_cast<LONG>(backBuffer.Height());
  bool sameSize = source.right - source.left == target.right - target.left &&
                  source.bottom - source.top == target.bottom - target.top;
  const gl::Functions& gl = context_->Gl();
  gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  // Both frame buffers keep their bottom row first.
  gl.BlitFramebuffer(source.left, sourceHeight - source.bottom, source.right,
                     sourceHeight - source.top, target.left, drawableHeight - target.bottom,
                     target.right, drawableHeight - target.top, GL_COLOR_BUFFER_BIT,
                     sameSize ? GL_NEAREST : GL_LINEAR);
  int interval = waitForVerticalBlank_ ? 1 : 0;
  if (interval != swapInterval_) {
    SDL_GL_SetSwapInterval(interval);
    swapInterval_ = interval;
  }
  waitForVerticalBlank_ = false;
  SDL_GL_SwapWindow(sdlWindow);
  return true;
}

}  // namespace platform::directx
