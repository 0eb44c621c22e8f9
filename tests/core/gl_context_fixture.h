// A bare OpenGL context on a platform window, set up as the OpenGL window sets up its 2D view
// (y upward, 0 at the bottom, one unit a pixel) with the pictures told the screen size, for the
// tests of the OpenGL picture and of what draws through it. Pixels are read back from the back
// buffer in screen coordinates (origin at the top left).
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "KGraphicGL.h"
#include "platform/input_seams.h"
#include "platform/opengl.h"
#include "platform/wgl.h"
#include "platform/win32.h"
#include "screen_pixels.h"

class OpenGLContextTest : public testing::Test {
 protected:
  static constexpr int kWidth = 800;
  static constexpr int kHeight = 600;

  void SetUp() override {
    platform::UseScriptedInput(true);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.lpszClassName = "bare OpenGL";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, "bare OpenGL", "OpenGL pictures", WS_POPUP, 0, 0, kWidth, kHeight,
                              nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    ShowWindow(window_, SW_SHOW);
    HDC deviceContext = GetDC(window_);
    PIXELFORMATDESCRIPTOR request{};
    request.nSize = sizeof request;
    request.nVersion = 1;
    request.dwFlags = PFD_DOUBLEBUFFER;
    request.cColorBits = 32;
    ASSERT_TRUE(
        SetPixelFormat(deviceContext, ChoosePixelFormat(deviceContext, &request), &request));
    context_ = wglCreateContext(deviceContext);
    ASSERT_NE(context_, nullptr);
    ASSERT_TRUE(wglMakeCurrent(deviceContext, context_));
    KGraphicGL::SetScreenSize(kWidth, kHeight, 32);
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, kWidth, 0, kHeight, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    Clear(0, 0, 0);
  }

  void TearDown() override {
    KGraphicGL::ReleaseAllTextures();
    wglMakeCurrent(nullptr, nullptr);
    if (context_) wglDeleteContext(context_);
    if (window_) DestroyWindow(window_);
  }

  static void Clear(float red, float green, float blue) {
    glClearColor(red, green, blue, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  }

  // The pixels of the screen rectangle, its top row first.
  static std::vector<Rgb> Read(int x, int y, int width, int height) {
    return ReadOpenGLPixels(x, y, width, height, kHeight);
  }

  static Rgb Pixel(int x, int y) { return Read(x, y, 1, 1)[0]; }

  // The columns of screen row y, and the rows of column x, that have the colour.
  static std::vector<int> ColumnsOf(int y, const Rgb& color) {
    return IndicesOf(Read(0, y, kWidth, 1), color);
  }
  static std::vector<int> RowsOf(int x, const Rgb& color) {
    return IndicesOf(Read(x, 0, 1, kHeight), color);
  }

  HWND window_ = nullptr;
  HGLRC context_ = nullptr;
};
