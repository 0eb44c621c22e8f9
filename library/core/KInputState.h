// The input module's process-wide state shared by its source files.
#pragma once

#include "platform/win32.h"

// The game window, set by KInput::Init.
extern HWND g_inputWindow;
