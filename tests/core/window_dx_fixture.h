// A DirectX game window made through the window layer with scripted input, for the tests of the
// DirectX window, its pictures and the factory. Pixels are read back from the back buffer.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "DXPictureDevice.h"
#include "KGraphicDX.h"
#include "KWindowDX.h"
#include "platform/directx_seams.h"
#include "platform/input_seams.h"
#include "platform/message_boxes.h"
#include "rgb_color.h"

class DirectXWindowTest : public testing::Test {
 protected:
  static constexpr int16_t kWidth = 200;
  static constexpr int16_t kHeight = 150;

  void SetUp() override {
    platform::UseScriptedInput(true);
    platform::ClearDirectXFailures();
    platform::RecordDirectXCalls(false);
    platform::TakeMessageBoxes();
  }

  void TearDown() override {
    platform::RecordDirectXCalls(false);
    delete window_;
    window_ = nullptr;
    platform::TakeDirectXCalls();
    platform::ClearDirectXFailures();
  }

  // A windowed game window whose frame is open (after one flip), or a failed one.
  bool MakeWindow(bool zBuffer = false) {
    window_ = new KWindowDX(zBuffer);
    if (!window_->CreateGameWindow(kWidth, kHeight, 32, true, "test")) return false;
    window_->FlipBackBuffer(false, true);
    return true;
  }

  IDirect3DDevice7* Device() { return g_dxPictures.device; }

  Rgb Pixel(int x, int y) {
    HDC dc = nullptr;
    if (g_dxPictures.backBuffer->GetDC(&dc) != DD_OK) return {-1, -1, -1};
    COLORREF c = GetPixel(dc, x, y);
    g_dxPictures.backBuffer->ReleaseDC(dc);
    return {GetRValue(c), GetGValue(c), GetBValue(c)};
  }

  // The columns of row y that have the colour.
  std::vector<int> ColumnsOf(int y, const Rgb& color) {
    std::vector<int> columns;
    for (int x = 0; x < kWidth; ++x) {
      if (Pixel(x, y) == color) columns.push_back(x);
    }
    return columns;
  }

  std::vector<int> RowsOf(int x, const Rgb& color) {
    std::vector<int> rows;
    for (int y = 0; y < kHeight; ++y) {
      if (Pixel(x, y) == color) rows.push_back(y);
    }
    return rows;
  }

  static std::vector<platform::DirectXCall> CallsNamed(
      const std::vector<platform::DirectXCall>& calls, const std::string& name) {
    std::vector<platform::DirectXCall> named;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(named),
                 [&](const platform::DirectXCall& call) { return call.name == name; });
    return named;
  }

  KWindowDX* window_ = nullptr;
};
