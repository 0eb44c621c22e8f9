// The input module's process-wide state shared by its source files.
#pragma once

#include "platform/win32.h"

class KGraphic;

// The game window, set by KInput::Init.
extern HWND g_inputWindow;

// The software cursor's picture (made on first draw) and the size drawn of it.
extern KGraphic* g_cursorGraphic;
constexpr int kCursorSize = 16;
