#include "window/resize_listener.h"

namespace platform {
namespace {

WindowResizeListener g_resizeListener = nullptr;

}  // namespace

void SetWindowResizeListener(WindowResizeListener listener) {
  g_resizeListener = listener;
}

void NotifyWindowResizing(SDL_Window* window) {
  if (g_resizeListener && window) g_resizeListener(window);
}

}  // namespace platform
