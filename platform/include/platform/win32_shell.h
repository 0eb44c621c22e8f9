// Shell services: the user's special folders and opening a document or address with the desktop.
#pragma once

#include "platform/win32_types.h"

#define CSIDL_PERSONAL 0x0005
#define CSIDL_APPDATA 0x001a

// Writes the folder (backslash form, at most MAX_PATH characters with its end) into path.
BOOL SHGetSpecialFolderPathA(HWND owner, LPSTR path, int csidl, BOOL create);

// Opens a file or address with the desktop's opener. Results above 32 mean success.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                        LPCSTR directory, INT showCommand);

#define SE_ERR_FNF 2
#define SE_ERR_OOM 8
#define SE_ERR_NOASSOC 31
