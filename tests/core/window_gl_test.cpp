// The OpenGL window: its set-up and failure messages, view, fade, flip, full screen and quit flag;
// the checks of the driver's strings and the swap interval. Its screenshots and whole frames are
// tested with the DirectX window's in renderer_frame_test.cpp.
#include <filesystem>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "GLDriverStrings.h"
#include "GLPictureState.h"
#include "PictureSettings.h"
#include "SwapInterval.h"
#include "WindowFrame.h"
#include "game_window_fixture.h"
#include "temp_folder.h"

namespace {

using WindowGL = OpenGLWindowTest;

DWORD DisplayDepth() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
  return mode.dmBitsPerPel;
}

std::vector<GLint> Viewport() {
  std::vector<GLint> viewport(4);
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  return viewport;
}

TEST_F(WindowGL, CreationShowsABlackFrameOnceAndLeavesTheDesktopsDepth) {
  TempFolder folder;
  std::string shot = folder.File("shot.tga");
  KWindowGL unmade;
  EXPECT_FALSE(unmade.IsHardwareAccelerated()) << "nothing known before the window";
  EXPECT_FALSE(unmade.SaveBackBuffer(shot.c_str(), K_IMAGE_TGA, 0, 0));
  EXPECT_FALSE(std::filesystem::exists(shot));
  g_glPictures.lastBound = 5;
  ASSERT_TRUE(MakeWindow(false, 16));
  EXPECT_TRUE(platform::TakeMessageBoxes().empty());
  EXPECT_EQ(DisplayDepth(), 32u);
  EXPECT_EQ(Pixel(199, 149), kBlack);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_EQ(g_glPictures.screenDepth, 16);
  EXPECT_EQ(g_glPictures.lastBound, GLPictureState::kNothingBound) << "a new context";
  EXPECT_TRUE(window_->IsHardwareAccelerated()) << "llvmpipe is not the generic driver";
  EXPECT_TRUE(window_->GetTextureRectangleSupport());

  HWND first = window_->GetWindowHandle();
  HGLRC context = wglGetCurrentContext();
  EXPECT_FALSE(window_->CreateGameWindow(kWidth, kHeight, 32, true, "again"));
  EXPECT_EQ(window_->GetWindowHandle(), first);
  EXPECT_EQ(wglGetCurrentContext(), context);
  delete window_;
  window_ = nullptr;
  EXPECT_FALSE(IsWindow(first));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
}

// Moved, turned and zoomed views draw as DirectX's do (renderers_compare_test.cpp).
TEST_F(WindowGL, TheViewSetsItsOwnStateAndClearsOnlyWhenAsked) {
  ASSERT_TRUE(MakeWindow());
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_DITHER);
  glViewport(1, 1, 2, 2);
  // A zoom of 0 takes every point to the centre, whatever the move.
  window_->SetWorldView(30, 30, 0, 0, false);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  EXPECT_FLOAT_EQ(m[0] * 10 + m[4] * 20 + m[12], 100);
  EXPECT_FLOAT_EQ(m[1] * 10 + m[5] * 20 + m[13], 75);
  EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST) || glIsEnabled(GL_DITHER));
  EXPECT_EQ(Viewport(), (std::vector<GLint>{0, 0, 200, 150}));
  window_->SetClearColor(1, 0, 0, 1);
  window_->SetDefaultWorldView();
  EXPECT_EQ(Pixel(5, 5), kBlack) << "no clear asked";
  window_->SetWorldView(0, 0, 0, 1, true);
  EXPECT_EQ(Pixel(5, 5), kRed);
}

// A fade of 0.3 draws as DirectX's does (renderers_compare_test.cpp).
TEST_F(WindowGL, TheFadeLaysBlackWithAlphaOneMinusFadeOverTheWholeFrame) {
  ASSERT_TRUE(MakeWindow());
  const std::pair<float, int> rows[] = {{1.5f, 255}, {0.25f, 64}, {-0.5f, 0}};
  for (auto [fade, red] : rows) {
    Fill(1, 1, 1);
    window_->SetWorldView(40, 0, 30, 2, false);  // the quad sets its own view
    g_glPictures.lastBound = 5;
    window_->SetFade(fade);
    window_->FlipBackBuffer(false, false);
    for (auto [x, y] : {std::pair{0, 0}, {199, 149}})
      EXPECT_NEAR(Pixel(x, y).red, red, 1) << fade << " at " << x << ", " << y;
    EXPECT_EQ(g_glPictures.lastBound, fade < 1 ? GLPictureState::kNothingBound : 5u) << fade;
    GLfloat color[4];
    glGetFloatv(GL_CURRENT_COLOR, color);
    EXPECT_EQ(std::vector<GLfloat>(color, color + 4), std::vector<GLfloat>(4, 1.0f));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  }
}

std::vector<UINT> g_messages;

TEST_F(WindowGL, TheFlipHoldsTheRateWaitsBehindAndIsNotRunAgainByARepaint) {
  platform::UseManualClock(10000000, 100);
  ASSERT_TRUE(MakeWindow());
  HWND handle = window_->GetWindowHandle();
  uint32_t& lastFlip = KWindowGL::FlipState().lastFlip;
  for (auto [fps, least, most] : {std::tuple{60, 16u, 17u}, {-1, 0u, 1u}}) {
    window_->SetMaxFrameRate(fps);
    uint32_t before = lastFlip;
    window_->FlipBackBuffer(true, true);
    EXPECT_GE(lastFlip - before, least) << fps;
    EXPECT_LE(lastFlip - before, most) << fps;
  }
  Fill(1, 1, 1);
  window_->SetFade(0.5f);
  platform::ScriptForeground(nullptr);
  int pumps = 0;
  platform::SetInputPumpHook([&] {
    PostMessageA(handle, WM_USER, 0, 0);
    if (++pumps == 3) platform::ScriptForeground(handle);
  });
  window_->FlipBackBuffer(true, false);
  EXPECT_TRUE(window_->HasFocus());
  EXPECT_EQ(pumps, 3);

  // Behind another window a repaint shows the frame again: no fade, message or frame limit.
  platform::SetInputPumpHook(nullptr);
  platform::ScriptForeground(nullptr);
  window_->SetMessageCallback([](HWND, UINT message, WPARAM, LPARAM) {
    g_messages.push_back(message);
    return true;
  });
  uint32_t before = lastFlip;
  SendMessageA(handle, WM_PAINT, 0, 0);
  EXPECT_NEAR(Pixel(5, 5).red, 128, 1) << "faded once";
  EXPECT_EQ(lastFlip, before);
  EXPECT_EQ(g_messages, std::vector<UINT>{WM_PAINT});
}

TEST_F(WindowGL, FullScreenChangesTheDisplayAndGivesTheDesktopBack) {
  int16_t width = int16_t(GetSystemMetrics(SM_CXSCREEN));
  int16_t height = int16_t(GetSystemMetrics(SM_CYSCREEN));
  window_ = new KWindowGL(false);
  ASSERT_TRUE(window_->CreateGameWindow(width, height, 16, true, "test"));
  HWND handle = window_->GetWindowHandle();
  for (auto [fullScreen, depth, style] : {std::tuple{true, 16u, WindowFrame::kFullScreenStyle},
                                          {false, 32u, WindowFrame::kWindowedStyle}}) {
    window_->SetFullScreen(fullScreen);
    EXPECT_EQ(DisplayDepth(), depth);
    EXPECT_EQ(DWORD(GetWindowLongA(handle, GWL_STYLE)), style);
  }
  delete window_;

  // Started full screen: the desktop's mode is back while another program is in front, and after.
  window_ = new KWindowGL(false);
  ASSERT_TRUE(window_->CreateGameWindow(width, height, 16, false, "test"));
  handle = window_->GetWindowHandle();
  platform::ScriptForeground(nullptr);
  window_->ProcessEvents();
  EXPECT_EQ(DisplayDepth(), 32u);
  EXPECT_TRUE(IsIconic(handle));
  platform::ScriptForeground(handle);
  window_->ProcessEvents();
  EXPECT_EQ(DisplayDepth(), 16u);
  delete window_;
  window_ = nullptr;
  EXPECT_EQ(DisplayDepth(), 32u);
}

TEST_F(WindowGL, EachFailingStepShowsItsBoxesAndEndsTheSetUp) {
  using Boxes = std::vector<std::pair<std::string, std::string>>;
  const std::pair<std::string, std::string> kSelect{
      "Could not select fixel format", "OpenGl error : video drivers probably missing."};
  const std::pair<platform::WglStep, Boxes> rows[] = {
      {platform::WglStep::kChoosePixelFormat,
       {{"Could not initialize openGL", "Please install your video drivers"}, kSelect}},
      {platform::WglStep::kSetPixelFormat, {kSelect}},
      {platform::WglStep::kCreateContext, {{"Could not create openGL Context", "OpenGl error"}}},
      {platform::WglStep::kMakeCurrent, {{"Could not make  openGL Context", "OpenGl error"}}},
  };
  platform::UseManualClock(10000000, 100);
  for (const auto& [step, boxes] : rows) {
    platform::FailWglStep(step);
    g_glPictures.screenWidth = 7;
    KWindowGL::FlipState().lastFlip = 12345;
    KWindowGL window;
    EXPECT_FALSE(window.CreateGameWindow(kWidth, kHeight, 32, true, "test"));
    Boxes shown;
    for (const auto& box : platform::TakeMessageBoxes()) shown.emplace_back(box.caption, box.text);
    EXPECT_EQ(shown, boxes);
    EXPECT_TRUE(IsWindow(window.GetWindowHandle())) << "the window stays";
    EXPECT_EQ(wglGetCurrentContext(), nullptr);
    window.FlipBackBuffer(true, true);
    EXPECT_EQ(g_glPictures.screenWidth, 7) << "no step after the failure";
    EXPECT_EQ(KWindowGL::FlipState().lastFlip, 12345u) << "no flip";
  }
  // With a depth buffer wanted, a driver without one is asked for a format without it.
  for (bool noDepthFormat : {false, true}) {
    if (noDepthFormat) platform::FailWglStep(platform::WglStep::kChoosePixelFormat);
    KWindowGL window(true);
    ASSERT_TRUE(window.CreateGameWindow(kWidth, kHeight, 32, true, "test"));
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_EQ(depthBits > 0, !noDepthFormat);
    EXPECT_TRUE(platform::TakeMessageBoxes().empty());
  }
}

TEST_F(WindowGL, TheQuitFlagIsSetByClosingOrTerminatingAndNeverCleared) {
  ASSERT_TRUE(MakeWindow());
  SendMessageA(window_->GetWindowHandle(), WM_CLOSE, 0, 0);
  MSG quit;
  EXPECT_TRUE(window_->IsQuit());
  EXPECT_FALSE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "nothing posted";
  window_->Terminate();
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_TRUE(window_->IsHardwareAccelerated());
  EXPECT_TRUE(window_->IsQuit());
  window_->FlipBackBuffer(true, true);  // still works after quitting, and returns
}

TEST(GLDriverStringsTest, ExtensionsAndTheGenericDriverAreFoundInTheStrings) {
  const std::tuple<const char*, bool, bool> lists[] = {
      {nullptr, false, false},
      {"GL_ARB_texture_rectangle GL_EXT_swap_contro", false, false},
      {"GL_EXT_texture_rectangle", false, true},
      {"GL_ARB_multitexture GL_NV_texture_rectangle", false, true},
      {"WGL_EXT_swap_control GL_ARB_multitexture", true, false},
  };
  for (auto [extensions, swapControl, rectangles] : lists) {
    EXPECT_EQ(GLDriverStrings::ListsSwapControl(extensions), swapControl) << extensions;
    EXPECT_EQ(GLDriverStrings::ListsTextureRectangles(extensions), rectangles) << extensions;
  }
  const std::tuple<const char*, const char*, bool> drivers[] = {
      {"MICROSOFT Corporation", "x", true}, {nullptr, "gdi GENERIC", true},
      {"Mesa/X.org", "llvmpipe", false},    {nullptr, nullptr, false},
      {"Microsoft", "Generic", false},
  };
  for (auto [vendor, renderer, generic] : drivers)
    EXPECT_EQ(GLDriverStrings::IsGenericDriver(vendor, renderer), generic) << renderer;
}

std::vector<int> g_asked;

BOOL WINAPI RecordInterval(int interval) {
  g_asked.push_back(interval);
  return interval == 0;
}

TEST(SwapIntervalTest, TheDriverIsAskedOnlyWhenTheWantedIntervalChanges) {
  SwapInterval interval;
  interval.Apply();  // no entry point: nothing to ask
  interval.SetSetter(RecordInterval);
  for (int wanted : {1, 1, 0, 0, 1}) {
    interval.Want(wanted);
    interval.Apply();
    interval.Apply();
  }
  EXPECT_EQ(g_asked, (std::vector<int>{1, 0, 1})) << "a refused interval is not asked again";
  interval.SetSetter(RecordInterval);
  interval.Apply();
  EXPECT_EQ(g_asked, (std::vector<int>{1, 0, 1, 1})) << "asked again of a new context";
}

}  // namespace
