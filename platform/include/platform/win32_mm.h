// The multimedia timer.
#pragma once

#include "platform/win32_types.h"

// Milliseconds since an arbitrary origin, wrapping at 2^32.
DWORD timeGetTime();
