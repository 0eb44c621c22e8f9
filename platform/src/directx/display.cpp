#include "directx/display.h"

#include "directx/surface.h"
#include "directx/window_binding.h"
#include "platform/win32_input.h"
#include "window/resize_listener.h"

#include <optional>
#include <vector>

namespace platform::directx {
namespace {

// Render targets carry their own depth buffers; the context asks for the depth buffer SDL asks
// for by default.
constexpr int kContextDepthBits = 16;

// Every display, so that one taking a window can move out what the others draw in it. Never
// destroyed: displays can go at exit after any other static.
std::vector<Display*>& Displays() {
  static auto* displays = new std::vector<Display*>;
  return *displays;
}

bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void EvictWindowTargetsIn(SDL_Window* window) {
  for (Display* display : Displays()) display->EvictWindowTargetIn(window);
}

// What another display found out about swaps in the window, if one has.
std::optional<bool> KnownSwapKeepsBackBuffer(SDL_Window* window) {
  for (const Display* display : Displays()) {
    std::optional<bool> known = display->SwapKeepsBackBufferIn(window);
    if (known) return known;
  }
  return std::nullopt;
}

}  // namespace

Display::Display() {
  Displays().push_back(this);
  SetWindowResizeListener(EvictWindowTargetsIn);
}

Display::~Display() {
  std::erase(Displays(), this);
}

bool Display::Cooperate(HWND window, bool fullScreen) {
  SDL_Window* sdlWindow = SdlWindowFor(window);
  if (!sdlWindow) return false;
  if (!context_ || context_->Window() != sdlWindow) {
    // A new context starts by finding out what a swap does to the window's back buffer, unless
    // another display's context on the window knows: looking overwrites what the window shows.
    EvictWindowTargetsIn(sdlWindow);
    std::optional<bool> known = KnownSwapKeepsBackBuffer(sdlWindow);
    std::shared_ptr<gl::Context> context = gl::Context::Create(sdlWindow, kContextDepthBits);
    if (!context) return false;
    if (known) {
      context->SetSwapKeepsBackBuffer(*known);
    } else {
      context->SwapKeepsBackBuffer();
    }
    context_ = std::move(context);
    batch_.stateOwner = nullptr;
    modulation_ = {};
    windowTarget_ = nullptr;
    windowHolds_ = WindowHolds::kNothing;
    swapInterval_ = -1;
  }
  window_ = window;
  if (fullScreen != fullScreen_) {
    EvictWindowTargetsIn(sdlWindow);
    SDL_SetWindowFullscreen(sdlWindow, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  }
  fullScreen_ = fullScreen;
  return true;
}

Layout Display::ScreenLayout() const {
  return mode_.bitsPerPixel == 16 ? Layout::kR5G6B5 : Layout::kX8R8G8B8;
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
  modulation_.Stop(context_->Gl());
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
  bool fullScreen = (SDL_GetWindowFlags(context_->Window()) & SDL_WINDOW_FULLSCREEN) != 0;
  return !fullScreen && !target.HasDepthBuffer() && static_cast<DWORD>(width) == target.Width() &&
         static_cast<DWORD>(height) == target.Height();
}

bool Display::AdoptWindowTarget(Surface& target) {
  if (windowTarget_ || !context_ || !context_->KnownSwapKeepsBackBuffer().value_or(false) ||
      !FitsWindow(target)) {
    return false;
  }
  for (const Display* display : Displays()) {
    bool sameWindow = display->context_ && display->context_->Window() == context_->Window();
    if (sameWindow && (display->windowTarget_ || display->windowHolds_ == WindowHolds::kAFrame)) {
      return false;
    }
  }
  windowTarget_ = &target;
  return true;
}

void ClearToBlack() {
  glClearColor(0, 0, 0, 1);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDisable(GL_SCISSOR_TEST);
  glClear(GL_COLOR_BUFFER_BIT);
}

void Display::EvictWindowTarget() {
  Surface* target = windowTarget_;
  windowTarget_ = nullptr;
  if (!target) return;
  target->MoveOutOfWindow();
  // A target taken into the window before anything but black was put there, and never shown,
  // leaves the window black, as it found it.
  if (windowHolds_ != WindowHolds::kAFrame) {
    context_->Gl().BindFramebuffer(GL_FRAMEBUFFER, 0);
    ClearToBlack();
  }
}

std::optional<bool> Display::SwapKeepsBackBufferIn(SDL_Window* window) const {
  if (!context_ || context_->Window() != window) return std::nullopt;
  return context_->KnownSwapKeepsBackBuffer();
}

void Display::EvictWindowTargetIn(SDL_Window* window) {
  if (windowTarget_ && context_ && context_->Window() == window && BeginOtherGlWork()) {
    EvictWindowTarget();
  }
}

void Display::NoteWindowFilled(bool black) {
  if (!black || windowHolds_ == WindowHolds::kAFrame) {
    windowHolds_ = WindowHolds::kAFrame;
  } else {
    windowHolds_ = WindowHolds::kBlack;
  }
}

bool Display::TakeWindow() {
  if (!context_) return false;
  EvictWindowTargetsIn(context_->Window());
  return BeginOtherGlWork();
}

void Display::Forget(const Surface& target) {
  if (windowTarget_ == &target) windowTarget_ = nullptr;
}

bool Display::Present(Surface& backBuffer, const RECT& source, const RECT* destination) {
  if (!BeginOtherGlWork()) return false;
  SDL_Window* sdlWindow = context_->Window();
  int drawableWidth = 0, drawableHeight = 0;
  DrawableSize(drawableWidth, drawableHeight);
  RECT target = destination ? *destination : RECT{0, 0, drawableWidth, drawableHeight};
  RECT whole{0, 0, static_cast<LONG>(backBuffer.Width()), static_cast<LONG>(backBuffer.Height())};
  bool wholeWindow = SameRect(source, whole) && SameRect(target, whole) && FitsWindow(backBuffer);
  if (!(DrawsInWindow(backBuffer) && wholeWindow)) {
    if (!TakeWindow() || !backBuffer.BindFramebuffer(GL_READ_FRAMEBUFFER)) return false;
    CopyToWindow(source, target, drawableHeight, backBuffer.Height());
  }
  int interval = waitForVerticalBlank_ ? 1 : 0;
  if (interval != swapInterval_) {
    SDL_GL_SetSwapInterval(interval);
    swapInterval_ = interval;
  }
  waitForVerticalBlank_ = false;
  SDL_GL_SwapWindow(sdlWindow);
  windowHolds_ = WindowHolds::kAFrame;
  // What a swap does was found out when the context was made; a present never looks again.
  if (wholeWindow && context_->KnownSwapKeepsBackBuffer().value_or(false)) {
    windowTarget_ = &backBuffer;
  }
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
