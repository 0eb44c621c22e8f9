// The multimedia joystick functions over SDL's joysticks: joystick n is SDL's device n.
#include <SDL.h>

#include "platform/joystick_seams.h"
#include "platform/win32_joystick.h"
#include "platform/win32_user.h"

namespace {

constexpr UINT kMaxJoysticks = 16;

SDL_Joystick* g_open[kMaxJoysticks] = {};
HWND g_captured[kMaxJoysticks] = {};

bool StartJoysticks() {
  // The joystick is read whichever window has the keyboard (SDL follows the hint also when
  // joysticks were started elsewhere).
  static const bool hinted = SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  (void)hinted;
  return SDL_WasInit(SDL_INIT_JOYSTICK) || SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0;
}

// The open device behind a joystick number, reopened after it was unplugged and plugged in.
SDL_Joystick* Open(UINT joystick) {
  if (joystick >= kMaxJoysticks || !StartJoysticks()) return nullptr;
  SDL_Joystick*& open = g_open[joystick];
  if (open && !SDL_JoystickGetAttached(open)) {
    SDL_JoystickClose(open);
    open = nullptr;
  }
  if (!open && static_cast<int>(joystick) < SDL_NumJoysticks())
    open = SDL_JoystickOpen(static_cast<int>(joystick));
  if (open) SDL_JoystickUpdate();
  return open;
}

// -32768 .. 32767 onto 0 .. 65535; an axis the device lacks rests at the centre.
DWORD Axis(SDL_Joystick* device, int axis) {
  if (axis >= SDL_JoystickNumAxes(device)) return 32767;
  return static_cast<DWORD>(SDL_JoystickGetAxis(device, axis) + 32768);
}

DWORD PointOfView(SDL_Joystick* device) {
  if (SDL_JoystickNumHats(device) < 1) return JOY_POVCENTERED;
  switch (SDL_JoystickGetHat(device, 0)) {
    case SDL_HAT_UP:
      return 0;
    case SDL_HAT_RIGHTUP:
      return 4500;
    case SDL_HAT_RIGHT:
      return 9000;
    case SDL_HAT_RIGHTDOWN:
      return 13500;
    case SDL_HAT_DOWN:
      return 18000;
    case SDL_HAT_LEFTDOWN:
      return 22500;
    case SDL_HAT_LEFT:
      return 27000;
    case SDL_HAT_LEFTUP:
      return 31500;
    default:
      return JOY_POVCENTERED;
  }
}

DWORD Buttons(SDL_Joystick* device, DWORD* pressed) {
  DWORD bits = 0;
  *pressed = 0;
  int count = SDL_JoystickNumButtons(device);
  for (int i = 0; i < count && i < 32; ++i) {
    if (!SDL_JoystickGetButton(device, i)) continue;
    bits |= 1u << i;
    ++*pressed;
  }
  return bits;
}

}  // namespace

MMRESULT joySetCapture(HWND window, UINT joystick, UINT, BOOL) {
  if (joystick >= kMaxJoysticks || !IsWindow(window)) return JOYERR_PARMS;
  if (!Open(joystick)) return JOYERR_UNPLUGGED;
  if (g_captured[joystick]) return JOYERR_NOCANDO;
  g_captured[joystick] = window;
  return JOYERR_NOERROR;
}

MMRESULT joyReleaseCapture(UINT joystick) {
  if (joystick >= kMaxJoysticks) return JOYERR_PARMS;
  g_captured[joystick] = nullptr;
  return JOYERR_NOERROR;
}

MMRESULT joyGetPos(UINT joystick, LPJOYINFO info) {
  if (!info || joystick >= kMaxJoysticks) return JOYERR_PARMS;
  SDL_Joystick* device = Open(joystick);
  if (!device) return JOYERR_UNPLUGGED;
  DWORD pressed = 0;
  info->wXpos = Axis(device, 0);
  info->wYpos = Axis(device, 1);
  info->wZpos = Axis(device, 2);
  info->wButtons = Buttons(device, &pressed) & 0xF;
  return JOYERR_NOERROR;
}

MMRESULT joyGetPosEx(UINT joystick, LPJOYINFOEX info) {
  if (!info || info->dwSize != sizeof(JOYINFOEX) || joystick >= kMaxJoysticks) return JOYERR_PARMS;
  SDL_Joystick* device = Open(joystick);
  if (!device) return JOYERR_UNPLUGGED;
  DWORD flags = info->dwFlags;
  if (flags & JOY_RETURNX) info->dwXpos = Axis(device, 0);
  if (flags & JOY_RETURNY) info->dwYpos = Axis(device, 1);
  if (flags & JOY_RETURNZ) info->dwZpos = Axis(device, 2);
  if (flags & JOY_RETURNR) info->dwRpos = Axis(device, 3);
  if (flags & JOY_RETURNU) info->dwUpos = Axis(device, 4);
  if (flags & JOY_RETURNV) info->dwVpos = Axis(device, 5);
  if (flags & JOY_RETURNPOV) info->dwPOV = PointOfView(device);
  if (flags & JOY_RETURNBUTTONS) info->dwButtons = Buttons(device, &info->dwButtonNumber);
  return JOYERR_NOERROR;
}

namespace platform {

namespace {

// Virtual joysticks by joystick number.
SDL_Joystick* VirtualDevice(int joystick) {
  return joystick >= 0 ? Open(static_cast<UINT>(joystick)) : nullptr;
}

}  // namespace

int AttachVirtualJoystick(int axes, int buttons, int hats) {
  if (!StartJoysticks()) return -1;
  return SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, axes, buttons, hats);
}

void DetachVirtualJoystick(int joystick) {
  if (joystick < 0 || !StartJoysticks()) return;
  if (joystick < static_cast<int>(kMaxJoysticks) && g_open[joystick]) {
    SDL_JoystickClose(g_open[joystick]);
    g_open[joystick] = nullptr;
  }
  SDL_JoystickDetachVirtual(joystick);
}

void SetVirtualJoystickAxis(int joystick, int axis, short value) {
  if (SDL_Joystick* device = VirtualDevice(joystick))
    SDL_JoystickSetVirtualAxis(device, axis, value);
}

void SetVirtualJoystickButton(int joystick, int button, bool down) {
  if (SDL_Joystick* device = VirtualDevice(joystick))
    SDL_JoystickSetVirtualButton(device, button, down ? 1 : 0);
}

void SetVirtualJoystickHat(int joystick, int hat, unsigned char directions) {
  if (SDL_Joystick* device = VirtualDevice(joystick))
    SDL_JoystickSetVirtualHat(device, hat, directions);
}

}  // namespace platform
