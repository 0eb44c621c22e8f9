// An OpenGL game window made through the window layer with scripted input, for the tests of the
// OpenGL window and of what draws in it. Pixels are read back from its context.
#pragma once

#include "platform/opengl.h"

#include <gtest/gtest.h>

#include "DesktopDisplayMode.h"
#include "KWindowGL.h"
#include "platform/clock.h"
#include "platform/input_seams.h"
#include "platform/message_boxes.h"
#include "platform/wgl_seams.h"

class OpenGLWindowTest : public testing::Test {
 protected:
  static constexpr int16_t kWidth = 200;
  static constexpr int16_t kHeight = 150;

  void SetUp() override {
    platform::UseScriptedInput(true);
    platform::ClearWglFailures();
    platform::TakeMessageBoxes();
  }

  void TearDown() override {
    delete window_;
    window_ = nullptr;
    platform::ClearWglFailures();
    platform::UseRealClock();
    platform::SetInputPumpHook(nullptr);
    DesktopDisplayMode::Restore();
  }

  bool MakeWindow(bool zBuffer = false, int16_t depth = 32) {
    window_ = new KWindowGL(zBuffer);
    return window_->CreateGameWindow(kWidth, kHeight, depth, true, "test");
  }

  // red << 16 | green << 8 | blue of the back buffer at client pixel (x, y), y downward.
  static uint32_t Pixel(int x, int y) {
    GLubyte rgba[4] = {};
    glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return uint32_t(rgba[0]) << 16 | uint32_t(rgba[1]) << 8 | rgba[2];
  }

  // Fills the back buffer with a colour, as the view's clear does.
  void Fill(float r, float g, float b) {
    window_->SetClearColor(r, g, b, 1);
    window_->SetWorldView(0, 0, 0, 1, true);
  }

  KWindowGL* window_ = nullptr;
};

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kBlue = 0x0000FF;
