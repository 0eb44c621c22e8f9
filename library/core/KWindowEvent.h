// The record a window hands to an application's event handler, and the handler types.
#pragma once

#include <cstdint>

#include "platform/win32_types.h"

typedef uint32_t KEventType;
enum : uint32_t {
  K_EVENT_NONE = 0,
  K_EVENT_MOUSEMOVE = 1,
  K_EVENT_MOUSEUP = 2,
  K_EVENT_MOUSEDOWN = 3,
  K_EVENT_CHAR = 5,
  K_EVENT_KEYDOWN = 6,
  K_EVENT_KEYUP = 7,
  K_EVENT_DOUBLECLICK = 8,
  K_EVENT_WHEEL = 11,
  K_EVENT_CONTEXTMENU = 12,
};

struct KWindowEvent {
  KEventType type;
  int32_t mouseX;  // client pixels at dispatch time
  int32_t mouseY;
  uint32_t button;      // 1 left, 2 right, 3 middle, 0 none
  int16_t wheelDelta;   // the high word of the message's first parameter
  uint8_t character;    // character, or the scan code of a key down
  uint32_t virtualKey;  // of a key message
  uint32_t message;     // the Windows message number
  uint32_t keyId;       // a KKeyId; K_KEY_NONE unless a key message
  uint32_t lParam;      // the message's second parameter, unchanged
};

// Both return true to let the message go on to the library's own handling, false to swallow it.
typedef bool (*MessageHandler)(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
typedef bool (*EventHandler)(KWindowEvent* event);
