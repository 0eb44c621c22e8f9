#include "directx/display.h"

#include "directx/surface.h"
#include "directx/window_binding.h"
#include "platform/win32_input.h"

namespace platform::directx {
namespace {

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace

bool Display::Cooperate(HWND window, bool fullScreen) {
  SDL_Window* sdlWindow = SdlWindowFor(window);
  if (!sdlWindow) return false;
  if (!context_ || context_->Window() != sdlWindow) {
    std::shared_ptr<gl::Context> context = gl::Context::Create(sdlWindow);
    if (!context) return false;
    context_ = std::move(context);
    batch_.stateOwner = nullptr;
    windowTarget_ = nullptr;
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

void Display::DrawableSize(int& width, int& height) const {
  width = height = 0;
  SDL_GL_GetDrawableSize(context_->Window(), &width, &height);
}

bool Display::FitsWindow(const Surface& target) const {
  int width = 0, height = 0;
  DrawableSize(width, height);
  return !target.HasDepthBuffer() && static_cast<DWORD>(width) == target.Width() &&
         static_cast<DWORD>(height) == target.Height();
}

void Display::EvictWindowTarget() {
  Surface* target = windowTarget_;
  windowTarget_ = nullptr;
  if (target) target->MoveOutOfWindow();
}

void Display::Forget(const Surface& target) {
  if (windowTarget_ == &target) windowTarget_ = nullptr;
}

bool Display::Present(Surface& backBuffer, const RECT& source, const RECT* destination) {
  if (!BeginOtherGlWork()) return false;
  SDL_Window* sdlWindow = context_->Window();
  bool swapKeepsBackBuffer = context_->SwapKeepsBackBuffer();
  int drawableWidth = 0, drawableHeight = 0;
  DrawableSize(drawableWidth, drawableHeight);
  RECT target = destination ? *destination : RECT{0, 0, drawableWidth, drawableHeight};
  RECT whole{0, 0, static_cast<LONG>(backBuffer.Width()), static_cast<LONG>(backBuffer.Height())};
  bool wholeWindow = SameRect(source, whole) && SameRect(target, whole) && FitsWindow(backBuffer);
  if (!(DrawsInWindow(backBuffer) && wholeWindow)) {
    // Whatever is drawn in the window moves out before the copy overwrites it.
    EvictWindowTarget();
    if (!backBuffer.BindFramebuffer(GL_READ_FRAMEBUFFER)) return false;
    CopyToWindow(source, target, drawableHeight, backBuffer.Height());
  }
  int interval = waitForVerticalBlank_ ? 1 : 0;
  if (interval != swapInterval_) {
    SDL_GL_SetSwapInterval(interval);
    swapInterval_ = interval;
  }
  waitForVerticalBlank_ = false;
  SDL_GL_SwapWindow(sdlWindow);
  if (wholeWindow && swapKeepsBackBuffer) windowTarget_ = &backBuffer;
  return true;
}

void Display::CopyToWindow(const RECT& source, const RECT& target, int windowHeight,
                           DWORD sourceHeight) {
  bool sameSize = source.right - source.left == target.right - target.left &&
                  source.bottom - source.top == target.bottom - target.top;
  LONG fromHeight = static_cast<LONG>(sourceHeight);
  const gl::Functions& gl = context_->Gl();
  gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
  glDisable(GL_SCISSOR_TEST);
  // Both frame buffers keep their bottom row first.
  gl.BlitFramebuffer(source.left, fromHeight - source.bottom, source.right, fromHeight - source.top,
                     target.left, windowHeight - target.bottom, target.right,
                     windowHeight - target.top, GL_COLOR_BUFFER_BIT,
                     sameSize ? GL_NEAREST : GL_LINEAR);
}

}  // namespace platform::directx
