// Pixel formats and rendering contexts of windows, on the X11 driver and on the headless one.
// The OpenGL header comes first and the Windows ones after it, as library code may include them.
#include "platform/opengl.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/wgl_seams.h"
#include "platform/win32.h"
#include "window_fixture.h"

namespace {

static_assert(GL_TEXTURE_RECTANGLE_EXT == 0x84F5 && GL_TEXTURE_RECTANGLE_NV == 0x84F5);

// What the OpenGL window asks for: double buffering alone, the screen's colour depth.
PIXELFORMATDESCRIPTOR Request(BYTE depthBits, BYTE colorBits = 32) {
  PIXELFORMATDESCRIPTOR request{};
  request.nSize = sizeof(request);
  request.nVersion = 1;
  request.dwFlags = PFD_DOUBLEBUFFER;
  request.cColorBits = colorBits;
  request.cDepthBits = depthBits;
  return request;
}

GLint Integer(GLenum name) {
  GLint value = -1;
  glGetIntegerv(name, &value);
  return value;
}

// SDL's window with that title, looked up by SDL's window numbers.
SDL_Window* SdlWindowTitled(const char* title) {
  for (Uint32 id = 1; id < 256; ++id) {
    SDL_Window* window = SDL_GetWindowFromID(id);
    if (window && std::strcmp(SDL_GetWindowTitle(window), title) == 0) return window;
  }
  return nullptr;
}

// Runs on the headless display; WglDriverTest below runs on the driver it is given.
class WglTest : public ScriptedWindowTest {
 protected:
  void TearDown() override {
    wglMakeCurrent(nullptr, nullptr);
    for (HGLRC context : contexts_) wglDeleteContext(context);
    platform::ClearWglFailures();
    ScriptedWindowTest::TearDown();
  }

  // A window with the pixel format chosen for `depthBits`.
  HWND WindowWithFormat(BYTE depthBits) {
    HWND window = MakeWindow();
    PIXELFORMATDESCRIPTOR request = Request(depthBits);
    EXPECT_TRUE(
        SetPixelFormat(GetDC(window), ChoosePixelFormat(GetDC(window), &request), &request));
    return window;
  }

  HGLRC ContextFor(HWND window) {
    HGLRC context = wglCreateContext(GetDC(window));
    EXPECT_NE(context, nullptr) << SDL_GetError();
    contexts_.push_back(context);
    return context;
  }

  std::vector<HGLRC> contexts_;
};

// Each case runs in its own process under CTest; run together in one process, the cases of the
// driver started second are skipped.
class WglDriverTest : public WglTest, public testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override {
    WglTest::SetUp();
    SDL_SetHint(SDL_HINT_VIDEODRIVER, GetParam());
    ASSERT_NE(MakeWindow(), nullptr);
    if (std::strcmp(SDL_GetCurrentVideoDriver(), GetParam()) != 0)
      GTEST_SKIP() << "this process already runs " << SDL_GetCurrentVideoDriver();
  }
};

INSTANTIATE_TEST_SUITE_P(Drivers, WglDriverTest, testing::Values("x11", "offscreen"),
                         [](const auto& driver) { return std::string(driver.param); });

TEST_F(WglTest, AFormatIsChosenWithADepthBufferExactlyWhenOneIsAskedFor) {
  HDC context = GetDC(MakeWindow());
  HWND gone = MakeWindow();
  HDC goneContext = GetDC(gone);
  DestroyWindow(gone);
  PIXELFORMATDESCRIPTOR colorIndex = Request(16);
  colorIndex.iPixelType = PFD_TYPE_COLORINDEX;
  enum Expected { kNone, kWithoutDepth, kWithDepth };
  const struct {
    const char* what;
    HDC deviceContext;
    PIXELFORMATDESCRIPTOR request;
    Expected expected;
  } rows[] = {
      {"16 depth bits", context, Request(16), kWithDepth},
      {"no depth bits", context, Request(0), kWithoutDepth},
      {"the probe's colour bits", context, Request(0, 255), kWithoutDepth},
      {"more depth bits than offered", context, Request(32, 16), kWithDepth},
      {"colour index", context, colorIndex, kNone},
      {"no device context", nullptr, Request(0), kNone},
      {"a destroyed window's", goneContext, Request(0), kNone},
  };
  EXPECT_EQ(ChoosePixelFormat(context, nullptr), 0);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    int format = ChoosePixelFormat(row.deviceContext, &row.request);
    if (row.expected == kNone) {
      EXPECT_EQ(format, 0);
      continue;
    }
    PIXELFORMATDESCRIPTOR chosen{};
    ASSERT_NE(DescribePixelFormat(context, format, sizeof(chosen), &chosen), 0);
    EXPECT_EQ(chosen.cDepthBits > 0, row.expected == kWithDepth);
    EXPECT_EQ(chosen.cAlphaBits, 0);
    EXPECT_EQ(chosen.dwFlags,
              static_cast<DWORD>(PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL));
  }
}

TEST_F(WglTest, AWindowsFormatIsSetOnceAndOnlyFromTheTable) {
  HDC first = GetDC(MakeWindow());
  PIXELFORMATDESCRIPTOR with = Request(16);
  PIXELFORMATDESCRIPTOR without = Request(0);
  int depthFormat = ChoosePixelFormat(first, &with);
  int plainFormat = ChoosePixelFormat(first, &without);
  int count = DescribePixelFormat(first, 1, 0, nullptr);
  EXPECT_EQ(DescribePixelFormat(first, count + 1, 0, nullptr), 0);
  for (int outside : {0, count + 1}) EXPECT_FALSE(SetPixelFormat(first, outside, &with));
  EXPECT_FALSE(SetPixelFormat(nullptr, depthFormat, &with));
  EXPECT_TRUE(SetPixelFormat(first, plainFormat, &without));
  EXPECT_TRUE(SetPixelFormat(first, plainFormat, nullptr)) << "the same format again";
  EXPECT_FALSE(SetPixelFormat(first, depthFormat, &with)) << "another format later";
  EXPECT_TRUE(SetPixelFormat(GetDC(MakeWindow()), depthFormat, &with)) << "each window its own";
}

// Each step reaches its injected failure (window_gl_test.cpp shows each failing in turn); how a
// failure is counted, used up and cleared is shown on one.
TEST_F(WglTest, AnInjectedFailureComesAfterTheCallsToSucceedFirstAndOnlyOnce) {
  HWND window = WindowWithFormat(16);
  HDC deviceContext = GetDC(window);
  HGLRC context = ContextFor(window);
  auto makeCurrent = [&] { return wglMakeCurrent(deviceContext, context) == TRUE; };
  platform::FailWglStep(platform::WglStep::kMakeCurrent, 1);
  EXPECT_TRUE(makeCurrent());
  EXPECT_FALSE(makeCurrent());
  EXPECT_TRUE(makeCurrent()) << "a failure is used up";
  platform::FailWglStep(platform::WglStep::kMakeCurrent);
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr)) << "releasing is not making current";
  EXPECT_FALSE(makeCurrent());
  platform::FailWglStep(platform::WglStep::kMakeCurrent);
  platform::ClearWglFailures();
  EXPECT_TRUE(makeCurrent()) << "cleared before it was due";
}

TEST_P(WglDriverTest, TheFrameBufferHasNoAlphaAndADepthBufferExactlyWhenTheFormatAsks) {
  // Both windows first: each context is then made after a window of the other format.
  const BYTE depths[] = {0, 16};
  HWND windows[] = {WindowWithFormat(depths[0]), WindowWithFormat(depths[1])};
  for (int i : {0, 1}) {
    SCOPED_TRACE(depths[i]);
    ASSERT_TRUE(wglMakeCurrent(GetDC(windows[i]), ContextFor(windows[i])));
    EXPECT_EQ(Integer(GL_DEPTH_BITS) > 0, depths[i] > 0);
    EXPECT_EQ(Integer(GL_ALPHA_BITS), 0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.25f);
    glClear(GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    EXPECT_EQ(pixel[3], 255) << "destination alpha reads 1";
  }
}

// What a window shows of itself: client size and origin, style, SDL's window state.
std::string LookOf(HWND window, const char* title) {
  RECT client{};
  POINT origin{0, 0};
  GetClientRect(window, &client);
  ClientToScreen(window, &origin);
  SDL_Window* sdl = SdlWindowTitled(title);
  Uint32 flags = sdl ? SDL_GetWindowFlags(sdl) : 0;
  return std::to_string(client.right) + "x" + std::to_string(client.bottom) + " at " +
         std::to_string(origin.x) + "," + std::to_string(origin.y) + " style " +
         std::to_string(GetWindowLongA(window, GWL_STYLE)) + " flags " +
         std::to_string(flags & (SDL_WINDOW_SHOWN | SDL_WINDOW_FULLSCREEN_DESKTOP |
                                 SDL_WINDOW_BORDERLESS | SDL_WINDOW_OPENGL));
}

// Under the headless driver a depth buffer needs a new SDL window behind the handle.
TEST_F(WglTest, AddingADepthBufferKeepsTheWindowAndTheEventsOnTheirWay) {
  const std::pair<const char*, std::function<void(HWND)>> shapes[] = {
      {"popup", [](HWND) {}},
      {"captioned",
       [](HWND window) {
         SetWindowLongA(window, GWL_STYLE, WS_CAPTION | WS_SYSMENU | WS_VISIBLE);
       }},
      {"full screen",
       [](HWND window) {
         MoveWindow(window, 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                    TRUE);
       }},
      {"hidden", [](HWND window) { ShowWindow(window, SW_HIDE); }},
  };
  for (const auto& [title, shape] : shapes) {
    SCOPED_TRACE(title);
    HWND window = MakeWindow();
    SetWindowTextA(window, title);
    shape(window);
    std::string before = LookOf(window, title);
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    close.window.windowID = SDL_GetWindowID(SdlWindowTitled(title));
    ASSERT_EQ(SDL_PushEvent(&close), 1);

    PIXELFORMATDESCRIPTOR request = Request(16);
    ASSERT_TRUE(
        SetPixelFormat(GetDC(window), ChoosePixelFormat(GetDC(window), &request), &request));
    EXPECT_EQ(LookOf(window, title), before);
    ASSERT_TRUE(wglMakeCurrent(GetDC(window), ContextFor(window)));
    EXPECT_GT(Integer(GL_DEPTH_BITS), 0);
    TakeReceived();
    DispatchAll();
    EXPECT_EQ(Received(WM_CLOSE).size(), 1u) << "the event on its way reaches the window";
  }
}

TEST_P(WglDriverTest, ContextsAreMadeWithoutTouchingTheCurrentOneAndDeletedReleased) {
  HWND window = WindowWithFormat(16);
  EXPECT_EQ(wglCreateContext(GetDC(MakeWindow())), nullptr) << "no pixel format yet";
  EXPECT_EQ(wglCreateContext(nullptr), nullptr);
  HGLRC first = ContextFor(window);
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  ASSERT_TRUE(wglMakeCurrent(GetDC(window), first));
  glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
  HGLRC second = ContextFor(window);
  EXPECT_EQ(wglGetCurrentContext(), first);
  GLfloat clearColor[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
  EXPECT_EQ(clearColor[1], 1.0f) << "OpenGL reads the first context's state";

  EXPECT_TRUE(wglDeleteContext(second));
  EXPECT_EQ(wglGetCurrentContext(), first);
  EXPECT_TRUE(wglDeleteContext(first));
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr) << "the current one is released first";
  EXPECT_FALSE(wglDeleteContext(first));
  EXPECT_FALSE(wglMakeCurrent(GetDC(window), first));
}

TEST_P(WglDriverTest, MakingCurrentNeedsALiveWindowWithTheContextsFormat) {
  HWND window = WindowWithFormat(16);
  HWND sameFormat = WindowWithFormat(16);
  HGLRC context = ContextFor(window);
  const std::tuple<const char*, HDC, BOOL> rows[] = {
      {"its own window", GetDC(window), TRUE},
      {"a window of the same format", GetDC(sameFormat), TRUE},
      {"a window of another format", GetDC(WindowWithFormat(0)), FALSE},
      {"a window without a format", GetDC(MakeWindow()), FALSE},
      {"no window", nullptr, FALSE},
  };
  for (const auto& [what, deviceContext, made] : rows) {
    SCOPED_TRACE(what);
    ASSERT_TRUE(wglMakeCurrent(GetDC(window), context));
    EXPECT_EQ(wglMakeCurrent(deviceContext, context), made);
    EXPECT_EQ(wglGetCurrentContext(), made ? context : nullptr) << "a failure releases";
  }
  HDC goneContext = GetDC(sameFormat);
  DestroyWindow(sameFormat);
  EXPECT_FALSE(wglMakeCurrent(goneContext, context));
  ASSERT_TRUE(wglMakeCurrent(GetDC(window), context));
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
}

TEST_P(WglDriverTest, SwappingNeedsAContextCurrentOnThatWindow) {
  HWND window = WindowWithFormat(0);
  HWND other = WindowWithFormat(0);
  HGLRC context = ContextFor(window);
  EXPECT_FALSE(SwapBuffers(GetDC(window))) << "no context";
  EXPECT_FALSE(SwapBuffers(nullptr));
  ASSERT_TRUE(wglMakeCurrent(GetDC(other), context));
  EXPECT_FALSE(SwapBuffers(GetDC(window))) << "current on another window";
  ASSERT_TRUE(wglMakeCurrent(GetDC(window), context));
  EXPECT_TRUE(SwapBuffers(GetDC(window)));
}

TEST_P(WglDriverTest, EntryPointsComeFromTheCurrentContextsDriver) {
  HWND window = WindowWithFormat(0);
  EXPECT_EQ(wglGetProcAddress("glGetString"), nullptr) << "no current context";
  ASSERT_TRUE(wglMakeCurrent(GetDC(window), ContextFor(window)));
  EXPECT_EQ(wglGetProcAddress(nullptr), nullptr);
  auto getString = reinterpret_cast<const GLubyte* (*)(GLenum)>(wglGetProcAddress("glGetString"));
  ASSERT_NE(getString, nullptr);
  EXPECT_STREQ(reinterpret_cast<const char*>(getString(GL_VERSION)),
               reinterpret_cast<const char*>(glGetString(GL_VERSION)));

  auto swapInterval = reinterpret_cast<BOOL(WINAPI*)(int)>(wglGetProcAddress("wglSwapIntervalEXT"));
  ASSERT_NE(swapInterval, nullptr);
  EXPECT_FALSE(swapInterval(-1));
  // The X server here has no swap control; the headless driver has.
  for (int interval : {1, 0}) {
    if (std::strcmp(GetParam(), "offscreen") != 0) break;
    EXPECT_TRUE(swapInterval(interval));
    EXPECT_EQ(SDL_GL_GetSwapInterval(), interval);
  }
  wglMakeCurrent(nullptr, nullptr);
  EXPECT_FALSE(swapInterval(0)) << "no current context";
}

}  // namespace
