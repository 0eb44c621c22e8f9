// Keyboard and mouse.
#include "KInput.h"

#include "KGraphic.h"
#include "KInputState.h"
#include "MessagePump.h"

HWND g_inputWindow = nullptr;

namespace {

struct KeyRow {
  int32_t keyId;
  uint16_t virtualKey;
};

constexpr uint16_t kEndOfTable = 9999;

static_assert(K_KEY_F1 == 10 && K_KEY_A == 25 && K_KEY_0 == 51 && K_KEY_NUMPAD0 == 61 &&
                  K_KEY_MULTIPLY == 71 && K_KEY_OEM_1 == 82 && K_KEY_PRINTSCREEN == 97 &&
                  K_KEY_NONE == 100,
              "key ids keep their numbers");

// Row n holds key id n; the last row ends the table.
KeyRow g_keyTable[K_KEY_NONE + 1] = {
    {K_KEY_LEFT, VK_LEFT},
    {K_KEY_UP, VK_UP},
    {K_KEY_DOWN, VK_DOWN},
    {K_KEY_RIGHT, VK_RIGHT},
    {K_KEY_SPACE, VK_SPACE},
    {K_KEY_LSHIFT, VK_LSHIFT},
    {K_KEY_RSHIFT, VK_RSHIFT},
    {K_KEY_RETURN, VK_RETURN},
    {K_KEY_RCONTROL, VK_RCONTROL},
    {K_KEY_LCONTROL, VK_LCONTROL},
    {K_KEY_F1, VK_F1},
    {K_KEY_F2, VK_F2},
    {K_KEY_F3, VK_F3},
    {K_KEY_F4, VK_F4},
    {K_KEY_F5, VK_F5},
    {K_KEY_F6, VK_F6},
    {K_KEY_F7, VK_F7},
    {K_KEY_F8, VK_F8},
    {K_KEY_F9, VK_F9},
    {K_KEY_F10, VK_F10},
    {K_KEY_F11, VK_F11},
    {K_KEY_F12, VK_F12},
    {K_KEY_BACKSPACE, VK_BACK},
    {K_KEY_TAB, VK_TAB},
    {K_KEY_ESCAPE, VK_ESCAPE},
    {K_KEY_A, 'A'},
    {K_KEY_B, 'B'},
    {K_KEY_C, 'C'},
    {K_KEY_D, 'D'},
    {K_KEY_E, 'E'},
    {K_KEY_F, 'F'},
    {K_KEY_G, 'G'},
    {K_KEY_H, 'H'},
    {K_KEY_I, 'I'},
    {K_KEY_J, 'J'},
    {K_KEY_K, 'K'},
    {K_KEY_L, 'L'},
    {K_KEY_M, 'M'},
    {K_KEY_N, 'N'},
    {K_KEY_O, 'O'},
    {K_KEY_P, 'P'},
    {K_KEY_Q, 'Q'},
    {K_KEY_R, 'R'},
    {K_KEY_S, 'S'},
    {K_KEY_T, 'T'},
    {K_KEY_U, 'U'},
    {K_KEY_V, 'V'},
    {K_KEY_W, 'W'},
    {K_KEY_X, 'X'},
    {K_KEY_Y, 'Y'},
    {K_KEY_Z, 'Z'},
    {K_KEY_0, '0'},
    {K_KEY_1, '1'},
    {K_KEY_2, '2'},
    {K_KEY_3, '3'},
    {K_KEY_4, '4'},
    {K_KEY_5, '5'},
    {K_KEY_6, '6'},
    {K_KEY_7, '7'},
    {K_KEY_8, '8'},
    {K_KEY_9, '9'},
    {K_KEY_NUMPAD0, VK_NUMPAD0},
    {K_KEY_NUMPAD1, VK_NUMPAD1},
    {K_KEY_NUMPAD2, VK_NUMPAD2},
    {K_KEY_NUMPAD3, VK_NUMPAD3},
    {K_KEY_NUMPAD4, VK_NUMPAD4},
    {K_KEY_NUMPAD5, VK_NUMPAD5},
    {K_KEY_NUMPAD6, VK_NUMPAD6},
    {K_KEY_NUMPAD7, VK_NUMPAD7},
    {K_KEY_NUMPAD8, VK_NUMPAD8},
    {K_KEY_NUMPAD9, VK_NUMPAD9},
    {K_KEY_MULTIPLY, VK_MULTIPLY},
    {K_KEY_ADD, VK_ADD},
    {K_KEY_SUBTRACT, VK_SUBTRACT},
    {K_KEY_DECIMAL, VK_DECIMAL},
    {K_KEY_DIVIDE, VK_DIVIDE},
    {K_KEY_CLEAR, VK_CLEAR},
    {K_KEY_ALT, VK_MENU},
    {K_KEY_LWIN, VK_LWIN},
    {K_KEY_RWIN, VK_RWIN},
    {K_KEY_NUMLOCK, VK_NUMLOCK},
    {K_KEY_SCROLLLOCK, VK_SCROLL},
    {K_KEY_OEM_1, VK_OEM_1},
    {K_KEY_OEM_PLUS, VK_OEM_PLUS},
    {K_KEY_OEM_COMMA, VK_OEM_COMMA},
    {K_KEY_OEM_MINUS, VK_OEM_MINUS},
    {K_KEY_OEM_PERIOD, VK_OEM_PERIOD},
    {K_KEY_OEM_2, VK_OEM_2},
    {K_KEY_OEM_3, VK_OEM_3},
    {K_KEY_OEM_4, VK_OEM_4},
    {K_KEY_OEM_5, VK_OEM_5},
    {K_KEY_OEM_6, VK_OEM_6},
    {K_KEY_OEM_7, VK_OEM_7},
    {K_KEY_END, VK_END},
    {K_KEY_HOME, VK_HOME},
    {K_KEY_DELETE, VK_DELETE},
    {K_KEY_INSERT, VK_INSERT},
    {K_KEY_PRINTSCREEN, VK_SNAPSHOT},
    {K_KEY_PAGEUP, VK_PRIOR},
    {K_KEY_PAGEDOWN, VK_NEXT},
    {K_KEY_NONE, kEndOfTable},
};

HKL g_keyboardLayout = nullptr;
int16_t g_wheelDelta = 0;

// On the Windows 9x family the left and right shift and control keys can't be told apart:
// their rows take the plain codes.
void AdjustKeyTableToSystem() {
  OSVERSIONINFOA version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!GetVersionExA(&version) || version.dwPlatformId == VER_PLATFORM_WIN32_NT) return;
  for (int row = 0; row < 20; ++row) {
    int32_t keyId = g_keyTable[row].keyId;
    if (keyId == K_KEY_LSHIFT || keyId == K_KEY_RSHIFT) g_keyTable[row].virtualKey = VK_SHIFT;
    if (keyId == K_KEY_LCONTROL || keyId == K_KEY_RCONTROL) g_keyTable[row].virtualKey = VK_CONTROL;
  }
}

bool IsPlainFormOf(UINT plain, UINT key) {
  switch (plain) {
    case VK_SHIFT:
      return key == VK_LSHIFT || key == VK_RSHIFT;
    case VK_CONTROL:
      return key == VK_LCONTROL || key == VK_RCONTROL;
    case VK_MENU:
      return key == VK_LMENU || key == VK_RMENU;
    default:
      return false;
  }
}

POINT CursorInClient() {
  POINT point{0, 0};
  GetCursorPos(&point);
  ScreenToClient(g_inputWindow, &point);
  return point;
}

}  // namespace

void KInput::Init(HWND window) {
  g_inputWindow = window;
  BYTE keyboardState[256] = {};
  SetKeyboardState(keyboardState);
  g_keyboardLayout = GetKeyboardLayout(0);
  AdjustKeyTableToSystem();
}

void KInput::Reset() {
  JoystickRelease(0);
  JoystickRelease(1);
  g_wheelDelta = 0;
}

void KInput::ClearWheel() {
  g_wheelDelta = 0;
}

bool KInput::IsKeyDown(int keyId) {
  if (keyId < 0 || keyId > K_KEY_NONE) return false;
  UINT key = g_keyTable[keyId].virtualKey;
  // Through the layout's scan code and back: left and right shift, control and alt come back as
  // their plain codes, down when either side is. Keys that share a scan code with another key
  // (the number pad's digits, decimal point and divide key) would come back as that other key;
  // they are tested as themselves.
  UINT scanCode = MapVirtualKeyExA(key, MAPVK_VK_TO_VSC, g_keyboardLayout);
  UINT tested = MapVirtualKeyExA(scanCode, MAPVK_VSC_TO_VK, g_keyboardLayout);
  if (tested != key && !IsPlainFormOf(tested, key)) tested = key;
  return (GetAsyncKeyState(static_cast<int>(tested)) & 0x8000) != 0;
}

void KInput::WaitKeyRelease(int keyId) {
  // Messages keep flowing while the key is held, so the window stays alive and its state can
  // change.
  while (IsKeyDown(keyId)) MessagePump::DispatchOne();
}

int KInput::KeyIdFromVirtualKey(uint32_t virtualKey) {
  for (const KeyRow& row : g_keyTable) {
    if (row.virtualKey == kEndOfTable) break;
    if (row.virtualKey == virtualKey) return row.keyId;
  }
  return K_KEY_NONE;
}

int16_t KInput::GetMouseX() {
  return static_cast<int16_t>(CursorInClient().x);
}

int16_t KInput::GetMouseY() {
  return static_cast<int16_t>(CursorInClient().y);
}

void KInput::SetMousePosition(int x, int y) {
  POINT point{x, y};
  ClientToScreen(g_inputWindow, &point);
  SetCursorPos(point.x, point.y);
}

bool KInput::IsLeftButtonDown() {
  return (GetAsyncKeyState(VK_LBUTTON) & 0x8000) != 0;
}

bool KInput::IsRightButtonDown() {
  return (GetAsyncKeyState(VK_RBUTTON) & 0x8000) != 0;
}

bool KInput::IsMiddleButtonDown() {
  return (GetAsyncKeyState(VK_MBUTTON) & 0x8000) != 0;
}

void KInput::SetWheelDelta(int16_t delta) {
  g_wheelDelta = delta;
}

int16_t KInput::GetWheelDelta() {
  int16_t delta = g_wheelDelta;
  g_wheelDelta = 0;
  return delta;
}

void KInput::ShowMouse() {
  while (ShowCursor(TRUE) < 0) {
  }
}

void KInput::HideMouse() {
  while (ShowCursor(FALSE) >= 0) {
  }
}

// Here with the mouse, not with the cursor's pictures: the windows' flips call it.
void KInput::DrawCursor() {
  if (!g_cursorGraphic) CreateCursorGraphic();
  if (!g_cursorGraphic) return;
  g_cursorGraphic->BlitAlphaRect(0, 0, kCursorSize, kCursorSize, GetMouseX(), GetMouseY(), false,
                                 false);
}

void KInput::ClipMouse(bool clip) {
  RECT client;
  if (!clip || !GetClientRect(g_inputWindow, &client)) {
    ClipCursor(nullptr);
    return;
  }
  POINT topLeft{client.left, client.top};
  POINT bottomRight{client.right, client.bottom};
  ClientToScreen(g_inputWindow, &topLeft);
  ClientToScreen(g_inputWindow, &bottomRight);
  RECT screen{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
  ClipCursor(&screen);
}
