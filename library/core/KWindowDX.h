// The game window on DirectDraw 7 and Direct3D 7: it owns the window, the DirectDraw and
// Direct3D objects, the presentation surfaces and the device, hands the device to the pictures,
// and presents each frame by a blit into the window (windowed) or a flip (full screen).
#pragma once

#include <cstdint>

#include "KWindow.h"
#include "WindowFlip.h"

class KWindowDX : public KWindow {
 public:
  KWindowDX() : KWindowDX(false) {}
  explicit KWindowDX(bool zBuffer) : zBufferWanted_(zBuffer) {}

  void SetDefaultWorldView() override;
  void SetWorldView(float tx, float ty, float angleDeg, float zoom, bool clearScreen) override;
  void SetClearColor(float r, float g, float b, float a) override;
  ~KWindowDX() override;
  bool CreateGameWindow(int16_t width, int16_t height, int16_t depth, bool windowed,
                        const char* title) override;
  void Terminate() override { quit_ = true; }
  void SetFullScreen(bool fullScreen) override;
  bool HasFocus() override;
  void SetTitle(const char* text) override;
  void FlipBackBuffer(bool waitWhileInactive, bool resetView) override;
  void ProcessEvents() override;
  bool IsQuit() override { return quit_; }
  HWND GetWindowHandle() override { return window_; }
  void SetMaxFrameRate(int fps) override;
  bool GetTextureRectangleSupport() override { return true; }
  bool IsHardwareAccelerated() override { return true; }
  void SetTextureRectangle(bool) override {}
  void SetFade(float fade) override { fade_ = fade < 0.0f ? 0.0f : fade; }
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
  bool CreateDirectDrawObjects();
  bool SetUpWindowed();
  bool SetUpFullScreen();
  bool CreateZBuffer();
  bool CreateDevice();
  bool SetViewport();
  void ClearToBlack(IDirectDrawSurface7* surface);
  void DrawFadeQuad();
  void Present();
  void ReleaseDevice();
  void ReleaseSurfaces();

  bool softwareCursor_ = false;
  HWND window_ = nullptr;
  IDirectDraw7* directDraw_ = nullptr;
  IDirectDrawSurface7* primary_ = nullptr;
  IDirectDrawSurface7* backBuffer_ = nullptr;
  bool ownsBackBuffer_ = false;  // false when the back buffer is part of a flipping chain
  IDirectDrawSurface7* zBuffer_ = nullptr;
  IDirect3D7* direct3D_ = nullptr;
  IDirect3DDevice7* device_ = nullptr;
  uint32_t clearColor_ = 0;
  MessageHandler messageHandler_ = nullptr;
  EventHandler eventHandler_ = nullptr;
  uint32_t millisecondsPerFrame_ = 0;
  bool zBufferWanted_;
  float fade_ = 1.0f;
  bool fullScreen_ = false;
  int16_t width_ = 0, height_ = 0, depth_ = 0;
  bool quit_ = false;
};
