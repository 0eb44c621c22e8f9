// The game window on OpenGL: a window with a rendering context, a 2D world view in pixels with y
// upward, double-buffered presentation, a fade quad, full screen by a change of display mode, and
// screenshots read back from the back buffer.
#pragma once

#include <cstdint>
#include <optional>

#include "KWindow.h"
#include "Screenshot.h"
#include "SwapInterval.h"
#include "WindowFlip.h"

class KWindowGL : public KWindow {
 public:
  KWindowGL() : KWindowGL(false) {}
  explicit KWindowGL(bool zBuffer);

  void SetDefaultWorldView() override;
  void SetWorldView(float tx, float ty, float angleDeg, float zoom, bool clearScreen) override;
  void SetClearColor(float r, float g, float b, float a) override;
  ~KWindowGL() override;
  // A second call on the same object makes nothing and returns false.
  bool CreateGameWindow(int16_t width, int16_t height, int16_t depth, bool windowed,
                        const char* title) override;
  void Terminate() override;
  void SetFullScreen(bool fullScreen) override;
  bool HasFocus() override;
  void SetTitle(const char* text) override;
  void FlipBackBuffer(bool waitWhileInactive, bool resetView) override;
  void ProcessEvents() override;
  bool IsQuit() override { return quit_; }
  HWND GetWindowHandle() override { return window_; }
  // fps < 0 also turns waiting for the vertical blank off, fps >= 0 on, from the next flip.
  void SetMaxFrameRate(int fps) override;
  bool GetTextureRectangleSupport() override;
  // What the driver strings said when the window was made; false before.
  bool IsHardwareAccelerated() override { return hardwareAccelerated_; }
  void SetTextureRectangle(bool enabled) override { textureRectangles_ = enabled; }
  void SetFade(float fade) override { fade_ = fade; }
  int16_t GetWidth() override { return width_; }
  int16_t GetHeight() override { return height_; }
  void Show() override;
  void Minimize() override;
  void SetSoftwareCursor(bool on) override { softwareCursor_ = on; }
  bool SaveBackBuffer(const char* path, int format, int width, int height) override;
  void SetMessageCallback(MessageHandler handler) override { messageHandler_ = handler; }
  void SetEventCallback(EventHandler handler) override { eventHandler_ = handler; }

  // The flip state this variant shares across its windows.
  static WindowFlipState& FlipState();
  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  bool CreateContext();
  bool SetupPixelFormat();
  void ReadDriverStrings();
  void ChangeDisplay();
  void RestoreDisplay();
  void DrawFade();
  void Repaint();
  void OnActivateApp(bool active);
  // The back buffer as it stands, rows bottom-up.
  ScreenFrame ReadBackBuffer();

  float clearColor_[4] = {0, 0, 0, 0};
  HGLRC context_ = nullptr;
  HDC deviceContext_ = nullptr;
  bool contextCurrent_ = false;
  HWND window_ = nullptr;
  MessageHandler messageHandler_ = nullptr;
  EventHandler eventHandler_ = nullptr;
  SwapInterval swapInterval_;
  bool fullScreen_ = false;
  int16_t width_ = 0, height_ = 0, depth_ = 0;
  uint32_t millisecondsPerFrame_ = 0;
  bool textureRectangles_ = false;  // as the driver lists them, or as the application set it
  bool driverHasTextureRectangles_ = false;
  bool hardwareAccelerated_ = false;
  bool zBufferWanted_;
  float fade_ = 1.0f;
  bool quit_ = false;
  bool softwareCursor_ = false;
  // The finished frame, read before it was presented, while the screenshot keys are held.
  std::optional<ScreenFrame> keptFrame_;
};
