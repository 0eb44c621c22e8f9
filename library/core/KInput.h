// Keyboard, mouse and joystick input, polled at the moment of the call, and the library's
// software cursor.
#pragma once

#include <cstdint>

#include "platform/win32.h"

// The library's key ids; a table maps each to a Windows virtual key.
// clang-format off
enum KKeyId : int {
  K_KEY_LEFT = 0, K_KEY_UP, K_KEY_DOWN, K_KEY_RIGHT,
  K_KEY_SPACE,
  K_KEY_LSHIFT, K_KEY_RSHIFT,
  K_KEY_RETURN,
  K_KEY_RCONTROL, K_KEY_LCONTROL,
  K_KEY_F1, K_KEY_F2, K_KEY_F3, K_KEY_F4, K_KEY_F5, K_KEY_F6,
  K_KEY_F7, K_KEY_F8, K_KEY_F9, K_KEY_F10, K_KEY_F11, K_KEY_F12,
  K_KEY_BACKSPACE, K_KEY_TAB, K_KEY_ESCAPE,
  K_KEY_A, K_KEY_B, K_KEY_C, K_KEY_D, K_KEY_E, K_KEY_F, K_KEY_G, K_KEY_H, K_KEY_I,
  K_KEY_J, K_KEY_K, K_KEY_L, K_KEY_M, K_KEY_N, K_KEY_O, K_KEY_P, K_KEY_Q, K_KEY_R,
  K_KEY_S, K_KEY_T, K_KEY_U, K_KEY_V, K_KEY_W, K_KEY_X, K_KEY_Y, K_KEY_Z,
  K_KEY_0, K_KEY_1, K_KEY_2, K_KEY_3, K_KEY_4, K_KEY_5, K_KEY_6, K_KEY_7, K_KEY_8, K_KEY_9,
  K_KEY_NUMPAD0, K_KEY_NUMPAD1, K_KEY_NUMPAD2, K_KEY_NUMPAD3, K_KEY_NUMPAD4,
  K_KEY_NUMPAD5, K_KEY_NUMPAD6, K_KEY_NUMPAD7, K_KEY_NUMPAD8, K_KEY_NUMPAD9,
  K_KEY_MULTIPLY, K_KEY_ADD, K_KEY_SUBTRACT, K_KEY_DECIMAL, K_KEY_DIVIDE,
  K_KEY_CLEAR, K_KEY_ALT,
  K_KEY_LWIN, K_KEY_RWIN,
  K_KEY_NUMLOCK, K_KEY_SCROLLLOCK,
  K_KEY_OEM_1, K_KEY_OEM_PLUS, K_KEY_OEM_COMMA, K_KEY_OEM_MINUS, K_KEY_OEM_PERIOD,
  K_KEY_OEM_2, K_KEY_OEM_3,
  K_KEY_OEM_4, K_KEY_OEM_5, K_KEY_OEM_6, K_KEY_OEM_7,
  K_KEY_END, K_KEY_HOME,
  K_KEY_DELETE, K_KEY_INSERT,
  K_KEY_PRINTSCREEN,
  K_KEY_PAGEUP, K_KEY_PAGEDOWN,
  K_KEY_NONE,  // no key: 100
};
// clang-format on

class KGraphic;

class KInput {
 public:
  static void Init(HWND window);
  static void Reset();
  static void ClearWheel();

  static bool IsKeyDown(int keyId);
  static void WaitKeyRelease(int keyId);
  static int KeyIdFromVirtualKey(uint32_t virtualKey);

  static int16_t GetMouseX();
  static int16_t GetMouseY();
  static void SetMousePosition(int x, int y);
  static bool IsLeftButtonDown();
  static bool IsRightButtonDown();
  static bool IsMiddleButtonDown();
  static void SetWheelDelta(int16_t delta);
  static int16_t GetWheelDelta();
  static void ShowMouse();
  static void HideMouse();
  // true confines the cursor to the window's client area.
  static void ClipMouse(bool clip);

  // Joysticks 0 and 1.
  static bool JoystickCapture(char joystick);
  static void JoystickRelease(char joystick);
  static bool JoystickLeft(char joystick);
  static bool JoystickRight(char joystick);
  static bool JoystickUp(char joystick);
  static bool JoystickDown(char joystick);
  static uint32_t GetJoystickX(char joystick, bool secondStick);
  static uint32_t GetJoystickY(char joystick, bool secondStick);
  static uint32_t GetJoystickPOV(char joystick);
  static bool IsJoystickButtonDown(char joystick, uint32_t buttonMask);
  static void WaitJoystickButtonRelease(char joystick, uint32_t buttonMask);

  // image: width, height, then width x height pixels; kept, not copied.
  static void SetCursorImage(const uint32_t* image);
  static void CreateCursorGraphic();
  static void FreeCursorGraphic();
  static void DrawCursor();
};
