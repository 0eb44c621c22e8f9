// What the DirectDraw object, its surfaces and the device share: the window they cooperate with,
// its OpenGL context, the display mode, the draws not yet sent and the render target drawn
// straight into the window.
#pragma once

#include <memory>
#include <optional>

#include "directx/batch.h"
#include "directx/modulate_program.h"
#include "directx/pixel_format.h"
#include "gl/gl_context.h"
#include "platform/win32_types.h"

namespace platform::directx {

// Clears the bound frame buffer to black with an alpha of 1. A new render target is black; the
// alpha channel is never written by draws (see Device::ApplyGlState), so blending reads a
// destination alpha of 1, as from a back buffer without alpha.
void ClearToBlack();

class Surface;

struct DisplayMode {
  DWORD width = 0;
  DWORD height = 0;
  DWORD bitsPerPixel = 0;  // 0: the desktop's mode
};

class Display {
 public:
  Display();
  ~Display();
  Display(const Display&) = delete;
  Display& operator=(const Display&) = delete;

  // Binds the display to a window, making its OpenGL context on first use.
  bool Cooperate(HWND window, bool fullScreen);
  HWND Window() const { return window_; }
  bool FullScreen() const { return fullScreen_; }
  bool HasContext() const { return context_ != nullptr; }
  const gl::Functions& Gl() const { return context_->Gl(); }

  void SetMode(const DisplayMode& mode) { mode_ = mode; }
  // The layout of the primary surface and of back buffers made without a pixel format.
  Layout ScreenLayout() const;
  // The size of the primary surface: the display mode's, else the desktop's.
  void ScreenSize(DWORD& width, DWORD& height) const;

  // Makes the context current for drawing into the batch.
  bool MakeCurrent();
  // Makes the context current for other OpenGL work: the batch is drawn first and whoever draws
  // next applies its state again. False without a context or window.
  bool BeginOtherGlWork();
  Batch& Draws() { return batch_; }
  // The context's program for the common texture stage; other OpenGL work draws without it.
  ModulateProgram& Modulation() { return modulation_; }

  // Shows `source` of the back buffer in the window's client area at `destination` (client
  // pixels); null: the whole client area.
  bool Present(Surface& backBuffer, const RECT& source, const RECT* destination);
  void WaitForVerticalBlankAtNextPresent() { waitForVerticalBlank_ = true; }

  // A render target shown whole at the window's own size, in a window that is not full screen,
  // is drawn straight into the window's back buffer from then on, which saves copying it at
  // every present, as long as swaps keep the back buffer and it has no depth buffer; so is one
  // that fits the window from its first draw, while the window holds no frame yet
  // (AdoptWindowTarget). It moves back into its own frame buffer when it no longer fits, before
  // anything else is put into the window (by any display) and before the window changes size.
  bool DrawsInWindow(const Surface& target) const { return windowTarget_ == &target; }
  bool FitsWindow(const Surface& target) const;
  // A render target that fits the window, drawn for the first time while no display has put
  // anything but black into the window (a show, a fill of another colour), is drawn there from
  // then on, as the frame the window is about to show: its first whole show then copies nothing.
  // It starts black. False otherwise.
  bool AdoptWindowTarget(Surface& target);
  // Moves the render target drawn in the window, if any, back into its own frame buffer; this
  // display's context must be current.
  void EvictWindowTarget();
  // The same when this display draws into `window`, making its context current for it.
  void EvictWindowTargetIn(SDL_Window* window);
  // What this display's context found out about swaps, when it draws into `window`.
  std::optional<bool> SwapKeepsBackBufferIn(SDL_Window* window) const;
  // Before drawing into the window itself: every display's render target drawn there moves out,
  // and this display's context is current again. False without a context or window.
  bool TakeWindow();
  // The whole window was filled with one colour, black or not.
  void NoteWindowFilled(bool black);
  // Forgets a render target that is going away.
  void Forget(const Surface& target);
  // Top-left corner of the client area on the screen.
  POINT ClientOrigin() const;

 private:
  void DrawableSize(int& width, int& height) const;
  // Copies `source` of the frame buffer bound for reading into `target` of the window.
  void CopyToWindow(const RECT& source, const RECT& target, int windowHeight, DWORD sourceHeight);

  HWND window_ = nullptr;
  bool fullScreen_ = false;
  std::shared_ptr<gl::Context> context_;
  DisplayMode mode_;
  Batch batch_;
  ModulateProgram modulation_;
  Surface* windowTarget_ = nullptr;
  // What this display has put into its window's back buffer: nothing, black alone, or a frame.
  enum class WindowHolds { kNothing, kBlack, kAFrame };
  WindowHolds windowHolds_ = WindowHolds::kNothing;
  bool waitForVerticalBlank_ = false;
  int swapInterval_ = -1;
};

}  // namespace platform::directx
