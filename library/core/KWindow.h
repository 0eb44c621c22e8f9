// The game window: an abstract interface with a DirectX and an OpenGL variant, made by KFactory.
#pragma once

#include <cstdint>

#include "KWindowEvent.h"
#include "platform/win32.h"

class KWindow {
 public:
  virtual void SetDefaultWorldView() = 0;
  virtual void SetWorldView(float tx, float ty, float angleDeg, float zoom, bool clearScreen) = 0;
  virtual void SetClearColor(float r, float g, float b, float a) = 0;
  virtual ~KWindow() {}
  virtual bool CreateGameWindow(int16_t width, int16_t height, int16_t depth, bool windowed,
                                const char* title) = 0;
  virtual void Terminate() = 0;
  virtual void SetFullScreen(bool fullScreen) = 0;
  virtual bool HasFocus() = 0;
  virtual void SetTitle(const char* text) = 0;
  virtual void FlipBackBuffer(bool waitWhileInactive, bool resetView) = 0;
  virtual void ProcessEvents() = 0;
  virtual bool IsQuit() = 0;
  virtual HWND GetWindowHandle() = 0;
  virtual void SetMaxFrameRate(int fps) = 0;
  virtual bool GetTextureRectangleSupport() = 0;
  virtual bool IsHardwareAccelerated() = 0;
  virtual void SetTextureRectangle(bool enabled) = 0;
  virtual void SetFade(float fade) = 0;
  virtual int16_t GetWidth() = 0;
  virtual int16_t GetHeight() = 0;
  virtual void Show() = 0;
  virtual void Minimize() = 0;
  virtual void SetSoftwareCursor(bool on) = 0;
  virtual bool SaveBackBuffer(const char* path, int format, int width, int height) = 0;
  virtual void SetMessageCallback(MessageHandler handler) = 0;
  virtual void SetEventCallback(EventHandler handler) = 0;
};
