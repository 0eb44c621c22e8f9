// Key state, the keyboard layout and the version the system answers with.
#include <SDL.h>

#include <cstring>

#include "input/key_state.h"
#include "input/key_table.h"
#include "input/server_pointer.h"
#include "platform/input_seams.h"
#include "platform/win32_input.h"
#include "platform/win32_version.h"

namespace {

bool g_scriptedDown[256] = {};
// Down in bit 7, toggled in bit 0, as of the last key message retrieved.
BYTE g_messageState[256] = {};

// When the real keyboard state was last brought up to date, in SDL's milliseconds.
Uint64 g_lastPump = ~Uint64{0};

// A fixed US English layout handle.
HKL const kLayout = reinterpret_cast<HKL>(static_cast<uintptr_t>(0x04090409));

bool IsPlainModifier(int virtualKey) {
  return virtualKey == VK_SHIFT || virtualKey == VK_CONTROL || virtualKey == VK_MENU;
}

bool IsMouseButton(int virtualKey) {
  return virtualKey == VK_LBUTTON || virtualKey == VK_RBUTTON || virtualKey == VK_MBUTTON;
}

Uint32 SdlButtonMask(int virtualKey) {
  if (virtualKey == VK_LBUTTON) return SDL_BUTTON_LMASK;
  if (virtualKey == VK_RBUTTON) return SDL_BUTTON_RMASK;
  return SDL_BUTTON_MMASK;
}

bool IsScriptedDown(int virtualKey) {
  if (g_scriptedDown[virtualKey]) return true;
  if (!IsPlainModifier(virtualKey)) return false;
  for (const platform::KeyRow* row = platform::KeyRows(); row->sdl != SDL_SCANCODE_UNKNOWN; ++row)
    if (row->virtualKey == virtualKey && row->sideKey && g_scriptedDown[row->sideKey]) return true;
  return false;
}

bool IsRealDown(int virtualKey) {
  if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
  if (IsMouseButton(virtualKey)) {
    POINT position;
    Uint32 buttons = 0;
    if (!platform::QueryServerPointer(&position, &buttons))
      buttons = SDL_GetGlobalMouseState(nullptr, nullptr);
    return (buttons & SdlButtonMask(virtualKey)) != 0;
  }
  // The keyboard state is what the events taken in so far said. Taking them in costs a round
  // of the window system's queue, so the many keys a frame asks about, and the message loop,
  // share one a millisecond.
  if (SDL_GetTicks64() != g_lastPump) {
    SDL_PumpEvents();
    platform::NoteEventsPumped();
  }
  const Uint8* keys = SDL_GetKeyboardState(nullptr);
  bool numLock = platform::IsNumLockOn();
  for (const platform::KeyRow* row = platform::KeyRows(); row->sdl != SDL_SCANCODE_UNKNOWN; ++row) {
    bool named = row->sideKey == virtualKey || platform::MessageKeyOf(*row, numLock) == virtualKey;
    if (named && keys[row->sdl]) return true;
  }
  return false;
}

// The left or right code of a modifier's key message (from its scan code and extended bit).
int SideKeyOfMessage(const MSG& message) {
  UINT scanCode = (static_cast<DWORD>(message.lParam) >> 16) & 0xFF;
  bool extended = (static_cast<DWORD>(message.lParam) >> 24) & 1;
  switch (message.wParam) {
    case VK_SHIFT:
      return scanCode == 0x36 ? VK_RSHIFT : VK_LSHIFT;
    case VK_CONTROL:
      return extended ? VK_RCONTROL : VK_LCONTROL;
    case VK_MENU:
      return extended ? VK_RMENU : VK_LMENU;
    default:
      return 0;
  }
}

void SetMessageState(int virtualKey, bool down) {
  BYTE& state = g_messageState[virtualKey & 0xFF];
  if (down && !(state & 0x80)) state ^= 0x01;
  state = static_cast<BYTE>(down ? (state | 0x80) : (state & ~0x80));
}

}  // namespace

namespace platform {

bool IsVirtualKeyDown(int virtualKey) {
  if (virtualKey <= 0 || virtualKey > 255) return false;
  return IsInputScripted() ? IsScriptedDown(virtualKey) : IsRealDown(virtualKey);
}

bool IsNumLockOn() {
  if (IsInputScripted()) return (g_messageState[VK_NUMLOCK] & 0x01) != 0;
  return SDL_WasInit(SDL_INIT_VIDEO) && (SDL_GetModState() & KMOD_NUM) != 0;
}

void ReleaseScriptedKeys() {
  std::memset(g_scriptedDown, 0, sizeof g_scriptedDown);
}

void SetScriptedKey(int virtualKey, bool down) {
  if (virtualKey > 0 && virtualKey < 256) g_scriptedDown[virtualKey] = down;
}

void NoteEventsPumped() {
  g_lastPump = SDL_GetTicks64();
}

WPARAM MouseKeyFlags() {
  WPARAM flags = 0;
  if (IsVirtualKeyDown(VK_LBUTTON)) flags |= MK_LBUTTON;
  if (IsVirtualKeyDown(VK_RBUTTON)) flags |= MK_RBUTTON;
  if (IsVirtualKeyDown(VK_MBUTTON)) flags |= MK_MBUTTON;
  if (IsVirtualKeyDown(VK_SHIFT)) flags |= MK_SHIFT;
  if (IsVirtualKeyDown(VK_CONTROL)) flags |= MK_CONTROL;
  return flags;
}

void NoteKeyMessage(const MSG& message) {
  bool down = message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN;
  bool up = message.message == WM_KEYUP || message.message == WM_SYSKEYUP;
  if (!down && !up) return;
  int virtualKey = static_cast<int>(message.wParam & 0xFF);
  int side = SideKeyOfMessage(message);
  if (side) {
    SetMessageState(side, down);
    // The plain code is down while either side is.
    int other = side == VK_LSHIFT     ? VK_RSHIFT
                : side == VK_RSHIFT   ? VK_LSHIFT
                : side == VK_LCONTROL ? VK_RCONTROL
                : side == VK_RCONTROL ? VK_LCONTROL
                : side == VK_LMENU    ? VK_RMENU
                                      : VK_LMENU;
    SetMessageState(virtualKey, down || (g_messageState[other] & 0x80));
    return;
  }
  SetMessageState(virtualKey, down);
}

}  // namespace platform

SHORT GetAsyncKeyState(int virtualKey) {
  return platform::IsVirtualKeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
}

SHORT GetKeyState(int virtualKey) {
  BYTE state = g_messageState[virtualKey & 0xFF];
  return static_cast<SHORT>((state & 0x80 ? 0xFF80 : 0) | (state & 0x01));
}

BOOL SetKeyboardState(const BYTE* keyState) {
  if (!keyState) return FALSE;
  std::memcpy(g_messageState, keyState, sizeof g_messageState);
  return TRUE;
}

BOOL GetKeyboardState(BYTE* keyState) {
  if (!keyState) return FALSE;
  std::memcpy(keyState, g_messageState, sizeof g_messageState);
  return TRUE;
}

HKL GetKeyboardLayout(DWORD) {
  return kLayout;
}

UINT MapVirtualKeyExA(UINT code, UINT mapType, HKL) {
  if (mapType == MAPVK_VK_TO_VSC) {
    const platform::KeyRow* row = platform::KeyRowOfVirtualKey(static_cast<int>(code));
    return row ? row->scanCode : 0;
  }
  if (mapType == MAPVK_VSC_TO_VK) {
    // Plain codes for shift, control and alt; the first key of a shared scan code.
    for (const platform::KeyRow* row = platform::KeyRows(); row->sdl != SDL_SCANCODE_UNKNOWN; ++row)
      if (row->scanCode == code) return static_cast<UINT>(row->virtualKey);
    return 0;
  }
  if (mapType == MAPVK_VK_TO_CHAR) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') || code == VK_SPACE)
      return code;
    return 0;
  }
  return 0;
}

BOOL GetVersionExA(LPOSVERSIONINFOA info) {
  if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOA)) return FALSE;
  info->dwMajorVersion = 5;
  info->dwMinorVersion = 1;
  info->dwBuildNumber = 2600;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  std::memset(info->szCSDVersion, 0, sizeof info->szCSDVersion);
  return TRUE;
}
