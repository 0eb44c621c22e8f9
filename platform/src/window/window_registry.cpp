#include "window/window_registry.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "window/sdl_window.h"

namespace {

struct WindowClass {
  UINT style;
  WNDPROC procedure;
};

// Case-insensitive, as class names are.
struct NameLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }
};

std::map<std::string, WindowClass, NameLess> g_classes;
std::vector<std::unique_ptr<platform::Window>> g_windows;
std::vector<HWND> g_shownOrder;
ATOM g_nextAtom = 0xC000;
// Handles are counters, never reused, so a stale handle never finds a newer window.
uintptr_t g_nextHandle = 0x10000;

}  // namespace

namespace platform {

Window* FindWindow(HWND handle) {
  if (!handle) return nullptr;
  for (auto& window : g_windows)
    if (window->handle == handle) return window.get();
  return nullptr;
}

Window* FindWindowBySdlId(Uint32 id) {
  for (auto& window : g_windows)
    if (window->sdl && SDL_GetWindowID(window->sdl) == id) return window.get();
  return nullptr;
}

std::vector<Window*> AllWindows() {
  std::vector<Window*> all;
  for (auto& window : g_windows) all.push_back(window.get());
  return all;
}

Window* LastShownWindow() {
  for (auto it = g_shownOrder.rbegin(); it != g_shownOrder.rend(); ++it) {
    Window* window = FindWindow(*it);
    if (window && window->visible) return window;
  }
  return nullptr;
}

void MarkShown(Window& window) {
  std::erase(g_shownOrder, window.handle);
  g_shownOrder.push_back(window.handle);
}

SDL_Window* SdlWindowOf(HWND handle) {
  Window* window = FindWindow(handle);
  return window ? window->sdl : nullptr;
}

Window* AddWindow() {
  auto window = std::make_unique<Window>();
  window->handle = reinterpret_cast<HWND>(g_nextHandle);
  window->deviceContext = reinterpret_cast<HDC>(g_nextHandle + 1);
  g_nextHandle += 16;
  g_windows.push_back(std::move(window));
  return g_windows.back().get();
}

void RemoveWindow(HWND handle) {
  std::erase(g_shownOrder, handle);
  std::erase_if(g_windows, [handle](const auto& window) { return window->handle == handle; });
}

}  // namespace platform

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
  if (!windowClass || !windowClass->lpszClassName || !windowClass->lpfnWndProc) return 0;
  if (g_classes.count(windowClass->lpszClassName)) return 0;  // already registered
  g_classes[windowClass->lpszClassName] = {windowClass->style, windowClass->lpfnWndProc};
  return g_nextAtom++;
}

namespace platform {

bool FindClass(const char* name, UINT* style, WNDPROC* procedure) {
  if (!name) return false;
  auto found = g_classes.find(name);
  if (found == g_classes.end()) return false;
  *style = found->second.style;
  *procedure = found->second.procedure;
  return true;
}

}  // namespace platform
