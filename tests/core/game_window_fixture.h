// A game window of either renderer with scripted input, for the tests of the two windows, of what
// draws in them and of the renderers side by side. Pixels are read back from the window's back
// buffer in screen coordinates (origin at the top left).
#pragma once

#include "platform/opengl.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DXPictureDevice.h"
#include "DesktopDisplayMode.h"
#include "KGraphicDX.h"
#include "KWindowDX.h"
#include "KWindowGL.h"
#include "platform/clock.h"
#include "platform/directx_seams.h"
#include "platform/input_seams.h"
#include "platform/message_boxes.h"
#include "platform/wgl_seams.h"
#include "screen_pixels.h"

// Window is the class the tests hold the window as: KWindowDX, KWindowGL or KWindow for either.
template <typename Window>
class GameWindowTest : public testing::Test {
 protected:
  static constexpr int16_t kWidth = 200;
  static constexpr int16_t kHeight = 150;

  void SetUp() override {
    platform::UseScriptedInput(true);
    platform::ClearDirectXFailures();
    platform::ClearWglFailures();
    platform::RecordDirectXCalls(false);
    platform::TakeMessageBoxes();
  }

  void TearDown() override {
    platform::RecordDirectXCalls(false);
    delete window_;
    window_ = nullptr;
    platform::TakeDirectXCalls();
    platform::ClearDirectXFailures();
    platform::ClearWglFailures();
    platform::UseRealClock();
    platform::SetInputPumpHook(nullptr);
    DesktopDisplayMode::Restore();
  }

  bool DrawsWithOpenGL() const {
    return dynamic_cast<const KWindowGL*>(static_cast<const KWindow*>(window_)) != nullptr;
  }

  // A rectangle of the window's back buffer, its top row first; buffer chooses the OpenGL
  // window's front buffer, which holds the frame last presented.
  std::vector<Rgb> Read(int x, int y, int width, int height, GLenum buffer = GL_BACK) const {
    if (DrawsWithOpenGL()) return ReadOpenGLPixels(x, y, width, height, kHeight, buffer);
    return ReadDirectXPixels(x, y, width, height);
  }

  Rgb Pixel(int x, int y) const { return Read(x, y, 1, 1)[0]; }

  // The columns of row y, and the rows of column x, that have the colour.
  std::vector<int> ColumnsOf(int y, const Rgb& color) const {
    return IndicesOf(Read(0, y, kWidth, 1), color);
  }
  std::vector<int> RowsOf(int x, const Rgb& color) const {
    return IndicesOf(Read(x, 0, 1, kHeight), color);
  }

  // Fills the back buffer with a colour, as the view's clear does.
  void Fill(float r, float g, float b) {
    window_->SetClearColor(r, g, b, 1);
    window_->SetWorldView(0, 0, 0, 1, true);
  }

  Window* window_ = nullptr;
};

class DirectXWindowTest : public GameWindowTest<KWindowDX> {
 protected:
  // A windowed game window whose frame is open (after one flip), or a failed one.
  bool MakeWindow(bool zBuffer = false) {
    window_ = new KWindowDX(zBuffer);
    if (!window_->CreateGameWindow(kWidth, kHeight, 32, true, "test")) return false;
    window_->FlipBackBuffer(false, true);
    return true;
  }

  IDirect3DDevice7* Device() { return g_dxPictures.device; }

  static std::vector<platform::DirectXCall> CallsNamed(
      const std::vector<platform::DirectXCall>& calls, const std::string& name) {
    std::vector<platform::DirectXCall> named;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(named),
                 [&](const platform::DirectXCall& call) { return call.name == name; });
    return named;
  }
};

class OpenGLWindowTest : public GameWindowTest<KWindowGL> {
 protected:
  bool MakeWindow(bool zBuffer = false, int16_t depth = 32) {
    window_ = new KWindowGL(zBuffer);
    return window_->CreateGameWindow(kWidth, kHeight, depth, true, "test");
  }
};
