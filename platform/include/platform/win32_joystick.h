// The multimedia joystick functions: axes from 0 to 65535 (32767 centred), the point of view in
// hundredths of a degree clockwise from forward (JOY_POVCENTERED when centred).
#pragma once

#include "platform/win32_types.h"

typedef UINT MMRESULT;

typedef struct joyinfo_tag {
  UINT wXpos;
  UINT wYpos;
  UINT wZpos;
  UINT wButtons;
} JOYINFO, *LPJOYINFO;

typedef struct joyinfoex_tag {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwXpos;
  DWORD dwYpos;
  DWORD dwZpos;
  DWORD dwRpos;
  DWORD dwUpos;
  DWORD dwVpos;
  DWORD dwButtons;
  DWORD dwButtonNumber;
  DWORD dwPOV;
  DWORD dwReserved1;
  DWORD dwReserved2;
} JOYINFOEX, *LPJOYINFOEX;
static_assert(sizeof(JOYINFOEX) == 52, "JOYINFOEX keeps its documented size");

MMRESULT joySetCapture(HWND window, UINT joystick, UINT period, BOOL changed);
MMRESULT joyReleaseCapture(UINT joystick);
MMRESULT joyGetPos(UINT joystick, LPJOYINFO info);
// Fills what dwFlags asks for; dwSize must be sizeof (JOYINFOEX).
MMRESULT joyGetPosEx(UINT joystick, LPJOYINFOEX info);

#define JOYSTICKID1 0u
#define JOYSTICKID2 1u

#define JOYERR_NOERROR 0u
#define MMSYSERR_NODRIVER 6u
#define MMSYSERR_INVALPARAM 11u
#define JOYERR_PARMS 165u
#define JOYERR_NOCANDO 166u
#define JOYERR_UNPLUGGED 167u

#define JOY_RETURNX 0x00000001u
#define JOY_RETURNY 0x00000002u
#define JOY_RETURNZ 0x00000004u
#define JOY_RETURNR 0x00000008u
#define JOY_RETURNU 0x00000010u
#define JOY_RETURNV 0x00000020u
#define JOY_RETURNPOV 0x00000040u
#define JOY_RETURNBUTTONS 0x00000080u
#define JOY_RETURNALL 0x000000FFu

#define JOY_POVCENTERED 0xFFFFu
#define JOY_POVFORWARD 0u
#define JOY_POVRIGHT 9000u
#define JOY_POVBACKWARD 18000u
#define JOY_POVLEFT 27000u

#define JOY_BUTTON1 0x0001u
#define JOY_BUTTON2 0x0002u
#define JOY_BUTTON3 0x0004u
#define JOY_BUTTON4 0x0008u
