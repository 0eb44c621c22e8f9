// Pixel formats of windows and the OpenGL rendering contexts that draw into them.
#pragma once

#include "platform/win32_types.h"

typedef struct tagPIXELFORMATDESCRIPTOR {
  WORD nSize;
  WORD nVersion;
  DWORD dwFlags;
  BYTE iPixelType;
  BYTE cColorBits;
  BYTE cRedBits;
  BYTE cRedShift;
  BYTE cGreenBits;
  BYTE cGreenShift;
  BYTE cBlueBits;
  BYTE cBlueShift;
  BYTE cAlphaBits;
  BYTE cAlphaShift;
  BYTE cAccumBits;
  BYTE cAccumRedBits;
  BYTE cAccumGreenBits;
  BYTE cAccumBlueBits;
  BYTE cAccumAlphaBits;
  BYTE cDepthBits;
  BYTE cStencilBits;
  BYTE cAuxBuffers;
  BYTE iLayerType;
  BYTE bReserved;
  DWORD dwLayerMask;
  DWORD dwVisibleMask;
  DWORD dwDamageMask;
} PIXELFORMATDESCRIPTOR, *LPPIXELFORMATDESCRIPTOR;
static_assert(sizeof(PIXELFORMATDESCRIPTOR) == 40, "the descriptor's documented size");

#define PFD_DOUBLEBUFFER 0x00000001
#define PFD_DRAW_TO_WINDOW 0x00000004
#define PFD_SUPPORT_OPENGL 0x00000020
#define PFD_TYPE_RGBA 0
#define PFD_TYPE_COLORINDEX 1
#define PFD_MAIN_PLANE 0

// An entry point as wglGetProcAddress hands it out, to be cast to its real type: the generic
// function type, which casts to any other without a warning about incompatible function types.
typedef void(WINAPI* PROC)();

// The 1-based index of the offered format closest to the descriptor: a depth buffer exactly when
// cDepthBits is above 0. 0 when none fits (only RGBA formats are offered) or the device context
// names no window with OpenGL.
int ChoosePixelFormat(HDC deviceContext, const PIXELFORMATDESCRIPTOR* descriptor);
// Fills the description of a format (when `size` holds it) and answers how many formats the
// window offers; 0 for an unknown device context or format.
int DescribePixelFormat(HDC deviceContext, int format, UINT size,
                        LPPIXELFORMATDESCRIPTOR description);
// A window's format is set once: setting the same one again succeeds, another one fails. The
// descriptor is not looked at.
BOOL SetPixelFormat(HDC deviceContext, int format, const PIXELFORMATDESCRIPTOR* descriptor);
// Shows the back buffer of a window that a context is current on.
BOOL SwapBuffers(HDC deviceContext);

// A context for the window's pixel format; the calling thread's current context stays as it was.
HGLRC wglCreateContext(HDC deviceContext);
// Deletes a context, released first when it is current.
BOOL wglDeleteContext(HGLRC context);
// Makes a context current on a window with the pixel format the context was made for; (any, NULL)
// releases the current context. A failure leaves no context current.
BOOL wglMakeCurrent(HDC deviceContext, HGLRC context);
HGLRC wglGetCurrentContext();
// An OpenGL entry point, or "wglSwapIntervalEXT" (BOOL WINAPI (int interval)); null without a
// current context or for a name the driver lacks.
PROC wglGetProcAddress(LPCSTR name);
