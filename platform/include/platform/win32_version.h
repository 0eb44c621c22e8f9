// The system's version: this platform answers as an NT-family system.
#pragma once

#include "platform/win32_types.h"

typedef struct _OSVERSIONINFOA {
  DWORD dwOSVersionInfoSize;
  DWORD dwMajorVersion;
  DWORD dwMinorVersion;
  DWORD dwBuildNumber;
  DWORD dwPlatformId;
  CHAR szCSDVersion[128];
} OSVERSIONINFOA, *LPOSVERSIONINFOA;

// Fails unless dwOSVersionInfoSize is sizeof (OSVERSIONINFOA), 148.
BOOL GetVersionExA(LPOSVERSIONINFOA info);

#define VER_PLATFORM_WIN32s 0u
#define VER_PLATFORM_WIN32_WINDOWS 1u
#define VER_PLATFORM_WIN32_NT 2u
