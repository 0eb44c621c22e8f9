#include "gl/pixel_formats.h"

#include <SDL.h>

#include <iterator>

#include "gl/wgl_seams.h"
#include "window/sdl_video.h"
#include "window/sdl_window_maker.h"

namespace platform::gl {
namespace {

constexpr DWORD kWindowFlags = PFD_DOUBLEBUFFER | PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;

// 24-bit colour in the red, green, blue order of a 32-bit pixel; no alpha channel.
constexpr PIXELFORMATDESCRIPTOR WindowFormat(BYTE depthBits) {
  PIXELFORMATDESCRIPTOR format{};
  format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
  format.nVersion = 1;
  format.dwFlags = kWindowFlags;
  format.iPixelType = PFD_TYPE_RGBA;
  format.cColorBits = 24;
  format.cRedBits = 8;
  format.cRedShift = 16;
  format.cGreenBits = 8;
  format.cGreenShift = 8;
  format.cBlueBits = 8;
  format.cBlueShift = 0;
  format.cDepthBits = depthBits;
  format.iLayerType = PFD_MAIN_PLANE;
  return format;
}

constexpr PIXELFORMATDESCRIPTOR kOffered[] = {WindowFormat(0), WindowFormat(24)};
constexpr int kOfferedCount = static_cast<int>(std::size(kOffered));

}  // namespace

const PIXELFORMATDESCRIPTOR* OfferedFormat(int format) {
  return format >= 1 && format <= kOfferedCount ? &kOffered[format - 1] : nullptr;
}

Window* OpenGlWindowOf(HDC deviceContext) {
  Window* window = FindWindow(WindowFromDC(deviceContext));
  if (!window || !window->sdl || !(SDL_GetWindowFlags(window->sdl) & SDL_WINDOW_OPENGL))
    return nullptr;
  return window;
}

}  // namespace platform::gl

int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR* descriptor) {
  using namespace platform::gl;
  if (ShouldFail(platform::WglStep::kChoosePixelFormat)) return 0;
  if (!descriptor || descriptor->iPixelType != PFD_TYPE_RGBA || !OpenGlWindowOf(deviceContext))
    return 0;
  bool wantsDepth = descriptor->cDepthBits > 0;
  for (int format = 1; format <= kOfferedCount; ++format)
    if ((OfferedFormat(format)->cDepthBits > 0) == wantsDepth) return format;
  return 0;
}

int DescribePixelFormat(HDC deviceContext, int format, UINT size,
                        LPPIXELFORMATDESCRIPTOR description) {
  using namespace platform::gl;
  const PIXELFORMATDESCRIPTOR* offered = OfferedFormat(format);
  if (!offered || !OpenGlWindowOf(deviceContext)) return 0;
  if (description && size >= sizeof(PIXELFORMATDESCRIPTOR)) *description = *offered;
  return kOfferedCount;
}

BOOL SetPixelFormat(HDC deviceContext, int format, const PIXELFORMATDESCRIPTOR*) {
  using namespace platform::gl;
  if (ShouldFail(platform::WglStep::kSetPixelFormat)) return FALSE;
  platform::Window* window = OpenGlWindowOf(deviceContext);
  const PIXELFORMATDESCRIPTOR* offered = OfferedFormat(format);
  if (!window || !offered) return FALSE;
  if (window->pixelFormat != 0) return window->pixelFormat == format ? TRUE : FALSE;
  // Windows are made without a depth buffer; where that is fixed with the SDL window, a format
  // with one needs a new SDL window.
  if (offered->cDepthBits > 0 && platform::FrameBufferMadeWithWindow() &&
      !platform::RemakeSdlWindow(*window, offered->cDepthBits))
    return FALSE;
  window->pixelFormat = format;
  return TRUE;
}
