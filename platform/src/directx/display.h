// What the DirectDraw object, its surfaces and the device share: the window they cooperate with,
// its OpenGL context, the display mode and the draws not yet sent.
#pragma once

#include <memory>

#include "directx/batch.h"
#include "directx/pixel_format.h"
#include "gl/gl_context.h"
#include "platform/win32_types.h"

namespace platform::directx {

class Surface;

struct DisplayMode {
  DWORD width = 0;
  DWORD height = 0;
  DWORD bitsPerPixel = 0;  // 0: the desktop's mode
};

class Display {
 public:
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

  // Shows `source` of the back buffer in the window's client area at `destination` (client
  // pixels); null: the whole client area.
  bool Present(Surface& backBuffer, const RECT& source, const RECT* destination);
  void WaitForVerticalBlankAtNextPresent() { waitForVerticalBlank_ = true; }
  // Top-left corner of the client area on the screen.
  POINT ClientOrigin() const;

 private:
  HWND window_ = nullptr;
  bool fullScreen_ = false;
  std::shared_ptr<gl::Context> context_;
  DisplayMode mode_;
  Batch batch_;
  bool waitForVerticalBlank_ = false;
  int swapInterval_ = -1;
};

}  // namespace platform::directx
