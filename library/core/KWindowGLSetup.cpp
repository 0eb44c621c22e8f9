// Making the OpenGL window, its pixel format and rendering context, with the messages a failing
// step shows; the display mode of full screen; taking it all down again.
#include "DesktopDisplayMode.h"
#include "GLDriverStrings.h"
#include "KGraphicGL.h"
#include "KInput.h"
#include "KMiscTools.h"
#include "KWindowGL.h"
#include "WindowFrame.h"
#include "platform/opengl.h"

namespace {

constexpr char kClassName[] = "Vyx windowTitle";
constexpr BYTE kDepthBits = 16;
// Asked first; a display that refuses it is asked for the mode at any frequency.
constexpr DWORD kFullScreenFrequency = 75;

const char* DriverString(GLenum name) {
  return reinterpret_cast<const char*>(glGetString(name));
}

}  // namespace

bool KWindowGL::CreateGameWindow(int16_t width, int16_t height, int16_t depth, bool windowed,
                                 const char* title) {
  if (window_) return false;
  width_ = width;
  height_ = height;
  depth_ = depth;
  fullScreen_ = !windowed;
  // A windowed window leaves the desktop's display mode as it is.
  if (fullScreen_) ChangeDisplay();
  WindowFrame::RegisterWindowClass(kClassName, WindowProcedure, BLACK_BRUSH);
  window_ = WindowFrame::Create(kClassName, title, fullScreen_, width_, height_);
  if (!window_) return false;
  SetWindowLongA(window_, GWL_USERDATA, reinterpret_cast<LONG_PTR>(this));
  SetTitle(title);
  ShowWindow(window_, SW_SHOW);
  UpdateWindow(window_);
  KInput::Init(window_);
  if (!CreateContext()) return false;
  ReadDriverStrings();
  KGraphicGL::SetScreenSize(uint16_t(width_), uint16_t(height_), uint16_t(depth_));
  // Texture names of an earlier context mean nothing in this one, and a cursor picture made for an
  // earlier window (a window of the other renderer leaves its own behind) draws nothing here: the
  // first flip with the software cursor makes one in this context.
  KGraphicGL::ForgetBoundTexture();
  KInput::FreeCursorGraphic();
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_LIGHTING);
  FlipBackBuffer(true, true);
  SetDefaultWorldView();
  return true;
}

bool KWindowGL::CreateContext() {
  deviceContext_ = GetDC(window_);
  if (!SetupPixelFormat()) {
    KMiscTools::ShowMessageBox("Could not select fixel format",
                               "OpenGl error : video drivers probably missing.");
    return false;
  }
  context_ = wglCreateContext(deviceContext_);
  if (!context_) {
    KMiscTools::ShowMessageBox("Could not create openGL Context", "OpenGl error");
    return false;
  }
  if (!wglMakeCurrent(deviceContext_, context_)) {
    KMiscTools::ShowMessageBox("Could not make  openGL Context", "OpenGl error");
    return false;
  }
  contextCurrent_ = true;
  return true;
}

bool KWindowGL::SetupPixelFormat() {
  PIXELFORMATDESCRIPTOR descriptor{};
  descriptor.nSize = sizeof descriptor;
  descriptor.nVersion = 1;
  descriptor.dwFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  descriptor.iPixelType = PFD_TYPE_RGBA;
  descriptor.cColorBits = BYTE(depth_ & 0xFF);
  descriptor.cDepthBits = zBufferWanted_ ? kDepthBits : 0;
  int format = ChoosePixelFormat(deviceContext_, &descriptor);
  // Without a depth buffer, when none can be had with one.
  if (!format && descriptor.cDepthBits) {
    descriptor.cDepthBits = 0;
    format = ChoosePixelFormat(deviceContext_, &descriptor);
  }
  if (!format) {
    KMiscTools::ShowMessageBox("Could not initialize openGL", "Please install your video drivers");
    return false;
  }
  return SetPixelFormat(deviceContext_, format, &descriptor) != FALSE;
}

void KWindowGL::ReadDriverStrings() {
  const char* extensions = DriverString(GL_EXTENSIONS);
  driverHasTextureRectangles_ = GLDriverStrings::ListsTextureRectangles(extensions);
  if (driverHasTextureRectangles_) textureRectangles_ = true;
  GetTextureRectangleSupport();
  swapInterval_.SetSetter(
      GLDriverStrings::ListsSwapControl(extensions)
          ? reinterpret_cast<SwapInterval::Setter>(wglGetProcAddress("wglSwapIntervalEXT"))
          : nullptr);
  hardwareAccelerated_ =
      !GLDriverStrings::IsGenericDriver(DriverString(GL_VENDOR), DriverString(GL_RENDERER));
}

void KWindowGL::ChangeDisplay() {
  DEVMODEA mode{};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  mode.dmBitsPerPel = DWORD(depth_ < 1 ? 16 : depth_);
  mode.dmPelsWidth = DWORD(width_);
  mode.dmPelsHeight = DWORD(height_);
  mode.dmDisplayFrequency = kFullScreenFrequency;
  DesktopDisplayMode::Change(mode);
}

void KWindowGL::RestoreDisplay() {
  DesktopDisplayMode::Restore();
}

KWindowGL::~KWindowGL() {
  KInput::FreeCursorGraphic();
  messageHandler_ = nullptr;
  eventHandler_ = nullptr;
  KInput::ShowMouse();
  // The pictures give up their textures while the context they were made in is current.
  if (contextCurrent_) KGraphicGL::ReleaseAllTextures();
  if (context_) {
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context_);
  }
  if (deviceContext_) ReleaseDC(window_, deviceContext_);
  if (window_ && IsWindow(window_)) DestroyWindow(window_);
  window_ = nullptr;
  if (fullScreen_) RestoreDisplay();
  quit_ = true;
}
