// Display modes. A mode change with a size makes a window that covers the whole screen with a
// popup style go full screen in that mode; a change of colour depth or frequency alone leaves the
// desktop as it is.
#pragma once

#include "platform/win32_types.h"

typedef struct _POINTL {
  LONG x;
  LONG y;
} POINTL;

typedef struct _devicemodeA {
  BYTE dmDeviceName[32];
  WORD dmSpecVersion;
  WORD dmDriverVersion;
  WORD dmSize;
  WORD dmDriverExtra;
  DWORD dmFields;
  POINTL dmPosition;
  DWORD dmDisplayOrientation;
  DWORD dmDisplayFixedOutput;
  short dmColor;
  short dmDuplex;
  short dmYResolution;
  short dmTTOption;
  short dmCollate;
  BYTE dmFormName[32];
  WORD dmLogPixels;
  DWORD dmBitsPerPel;
  DWORD dmPelsWidth;
  DWORD dmPelsHeight;
  DWORD dmDisplayFlags;
  DWORD dmDisplayFrequency;
  DWORD dmICMMethod;
  DWORD dmICMIntent;
  DWORD dmMediaType;
  DWORD dmDitherType;
  DWORD dmReserved1;
  DWORD dmReserved2;
} DEVMODEA, *LPDEVMODEA;
static_assert(sizeof(DEVMODEA) == 148, "DEVMODEA keeps its documented size");

// modeNumber ENUM_CURRENT_SETTINGS: the mode in effect; 0, 1, ...: the display's modes.
BOOL EnumDisplaySettingsA(LPCSTR deviceName, DWORD modeNumber, LPDEVMODEA mode);
// A null mode returns to the desktop's own mode.
LONG ChangeDisplaySettingsA(LPDEVMODEA mode, DWORD flags);

#define ENUM_CURRENT_SETTINGS (static_cast<DWORD>(-1))
#define ENUM_REGISTRY_SETTINGS (static_cast<DWORD>(-2))

#define CDS_FULLSCREEN 0x00000004u

#define DM_BITSPERPEL 0x00040000u
#define DM_PELSWIDTH 0x00080000u
#define DM_PELSHEIGHT 0x00100000u
#define DM_DISPLAYFREQUENCY 0x00400000u

#define DISP_CHANGE_SUCCESSFUL 0
#define DISP_CHANGE_FAILED (-1)
#define DISP_CHANGE_BADMODE (-2)
