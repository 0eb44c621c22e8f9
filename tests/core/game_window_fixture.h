// A game window of either renderer with scripted input, for the tests of the two windows, of what
// draws in them and of the renderers side by side. Pixels are read back from the window's back
// buffer in screen coordinates (origin at the top left).
#pragma once

#include "platform/opengl.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "DXPictureDevice.h"
#include "DesktopDisplayMode.h"
#include "KFactory.h"
#include "KGraphicDX.h"
#include "KMiscTools.h"
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

  // A rectangle of the window's back buffer, its top row first. After a flip both windows here
  // still hold the frame they presented there: the DirectX window copies it to the screen, and so
  // does the swap of the OpenGL library on this display.
  std::vector<Rgb> Read(int x, int y, int width, int height) const {
    if (DrawsWithOpenGL()) return ReadOpenGLPixels(x, y, width, height, kHeight);
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

  // Flips with Left Shift and Print Screen held until the flip looks at the messages, as a player
  // takes a screenshot; the path (Linux form) of the screenshot that the flip saves. The shots
  // are numbered on from the process's id: test processes running side by side share the folder.
  std::string FlipTakingScreenshot() {
    WindowFlipState& flips = DrawsWithOpenGL() ? KWindowGL::FlipState() : KWindowDX::FlipState();
    flips.screenshotCount = int(getpid());
    std::string name = "screenshot" + std::to_string(flips.screenshotCount + 1) + ".tga";
    std::string path = KMiscTools::MakeFilePath(name.c_str());
    std::replace(path.begin(), path.end(), '\\', '/');
    platform::ScriptKey(VK_LSHIFT, true);
    platform::ScriptKey(VK_SNAPSHOT, true);
    platform::SetInputPumpHook([] {
      platform::ScriptKey(VK_SNAPSHOT, false);
      platform::ScriptKey(VK_LSHIFT, false);
    });
    window_->FlipBackBuffer(false, false);
    platform::SetInputPumpHook(nullptr);
    return path;
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

// A window of the renderer that the factory's flag chooses (0 DirectX, 1 OpenGL), made as the game
// makes it, with pictures from the factory that go before the window does. One window at a time:
// an OpenGL picture draws into whichever context is current.
class RendererWindowTest : public GameWindowTest<KWindow> {
 protected:
  static constexpr int kDirectX = 0, kOpenGL = 1;

  void TearDown() override {
    CloseWindow();
    // The factory's flag back at DirectX, its default, for tests that make their windows directly
    // and their pictures through the factory.
    delete KFactory::CreateWindowObject(kDirectX, false);
    GameWindowTest::TearDown();
  }

  // A windowed game window whose frame is open (after one flip), or a failed one.
  bool MakeWindow(int renderer) {
    CloseWindow();
    window_ = KFactory::CreateWindowObject(renderer, false);
    if (!window_ || !window_->CreateGameWindow(kWidth, kHeight, 32, true, "test")) return false;
    window_->FlipBackBuffer(false, true);
    return true;
  }

  void CloseWindow() {
    pictures_.clear();
    delete window_;
    window_ = nullptr;
  }

  // An empty picture of the window's renderer; with a path, loaded from it in 32 bits with alpha.
  KGraphic* MakePicture(const std::string& path = "") {
    pictures_.emplace_back(path.empty() ? KFactory::CreateGraphic()
                                        : KFactory::CreateGraphicFromFile(path.c_str()));
    return pictures_.back().get();
  }

  std::vector<std::unique_ptr<KGraphic>> pictures_;
};
