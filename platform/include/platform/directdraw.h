// DirectDraw 7: the display object, its surfaces (CPU memory in their native pixel layout, shown
// through OpenGL) and the window clipper, with the device context of a surface for reading pixels.
#pragma once

#include "platform/win32_types.h"

#define DD_OK ((HRESULT)0)
#define DDERR_GENERIC E_FAIL
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_OUTOFMEMORY E_OUTOFMEMORY
#define DDERR_UNSUPPORTED E_NOTIMPL
#define DDERR_INVALIDOBJECT ((HRESULT)0x88760082)
#define DDERR_INVALIDMODE ((HRESULT)0x88760078)
#define DDERR_INVALIDRECT ((HRESULT)0x88760096)
#define DDERR_INVALIDPIXELFORMAT ((HRESULT)0x88760091)
#define DDERR_NOEXCLUSIVEMODE ((HRESULT)0x887600E1)
#define DDERR_NOCOOPERATIVELEVELSET ((HRESULT)0x887600D4)
#define DDERR_NOTFOUND ((HRESULT)0x887600FF)
#define DDERR_SURFACEBUSY ((HRESULT)0x887601AE)
#define DDERR_SURFACELOST ((HRESULT)0x887601C2)
#define DDERR_CANNOTATTACHSURFACE ((HRESULT)0x887600E8)
#define DDERR_NOTLOCKED ((HRESULT)0x88760248)
#define DDERR_SURFACENOTATTACHED ((HRESULT)0x88760258)
#define DDERR_CANTCREATEDC ((HRESULT)0x88760241)
#define DDERR_NODC ((HRESULT)0x8876024B)

// DDSURFACEDESC2::dwFlags: which fields of a description are valid.
#define DDSD_CAPS 0x00000001u
#define DDSD_HEIGHT 0x00000002u
#define DDSD_WIDTH 0x00000004u
#define DDSD_PITCH 0x00000008u
#define DDSD_BACKBUFFERCOUNT 0x00000020u
#define DDSD_LPSURFACE 0x00000800u
#define DDSD_PIXELFORMAT 0x00001000u
#define DDSD_TEXTURESTAGE 0x00100000u

// DDSCAPS2::dwCaps
#define DDSCAPS_BACKBUFFER 0x00000004u
#define DDSCAPS_COMPLEX 0x00000008u
#define DDSCAPS_FLIP 0x00000010u
#define DDSCAPS_FRONTBUFFER 0x00000020u
#define DDSCAPS_OFFSCREENPLAIN 0x00000040u
#define DDSCAPS_PRIMARYSURFACE 0x00000200u
#define DDSCAPS_SYSTEMMEMORY 0x00000800u
#define DDSCAPS_TEXTURE 0x00001000u
#define DDSCAPS_3DDEVICE 0x00002000u
#define DDSCAPS_VIDEOMEMORY 0x00004000u
#define DDSCAPS_ZBUFFER 0x00020000u
// DDSCAPS2::dwCaps2
#define DDSCAPS2_TEXTUREMANAGE 0x00000010u

// DDPIXELFORMAT::dwFlags
#define DDPF_ALPHAPIXELS 0x00000001u
#define DDPF_RGB 0x00000040u
#define DDPF_ZBUFFER 0x00000400u
#define DDPF_STENCILBUFFER 0x00004000u

// SetCooperativeLevel
#define DDSCL_FULLSCREEN 0x00000001u
#define DDSCL_ALLOWREBOOT 0x00000002u
#define DDSCL_NORMAL 0x00000008u
#define DDSCL_EXCLUSIVE 0x00000010u
#define DDSCL_FPUSETUP 0x00000800u

// Blt, Flip, Lock, WaitForVerticalBlank
#define DDBLT_COLORFILL 0x00000400u
#define DDBLT_WAIT 0x01000000u
#define DDFLIP_WAIT 0x00000001u
#define DDLOCK_WAIT 0x00000001u
#define DDLOCK_READONLY 0x00000010u
#define DDLOCK_WRITEONLY 0x00000020u
#define DDWAITVB_BLOCKBEGIN 0x00000001u

typedef struct _DDPIXELFORMAT {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwFourCC;
  union {
    DWORD dwRGBBitCount;
    DWORD dwZBufferBitDepth;
  };
  union {
    DWORD dwRBitMask;
    DWORD dwStencilBitDepth;
  };
  union {
    DWORD dwGBitMask;
    DWORD dwZBitMask;
  };
  union {
    DWORD dwBBitMask;
    DWORD dwStencilBitMask;
  };
  DWORD dwRGBAlphaBitMask;
} DDPIXELFORMAT, *LPDDPIXELFORMAT;

typedef struct _DDSCAPS2 {
  DWORD dwCaps;
  DWORD dwCaps2;
  DWORD dwCaps3;
  DWORD dwCaps4;
} DDSCAPS2, *LPDDSCAPS2;

typedef struct _DDCOLORKEY {
  DWORD dwColorSpaceLowValue;
  DWORD dwColorSpaceHighValue;
} DDCOLORKEY;

typedef struct _DDSURFACEDESC2 {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwHeight;
  DWORD dwWidth;
  LONG lPitch;
  DWORD dwBackBufferCount;
  DWORD dwRefreshRate;
  DWORD dwAlphaBitDepth;
  DWORD dwReserved;
  LPVOID lpSurface;
  DDCOLORKEY ddckCKDestOverlay;
  DDCOLORKEY ddckCKDestBlt;
  DDCOLORKEY ddckCKSrcOverlay;
  DDCOLORKEY ddckCKSrcBlt;
  DDPIXELFORMAT ddpfPixelFormat;
  DDSCAPS2 ddsCaps;
  DWORD dwTextureStage;
} DDSURFACEDESC2, *LPDDSURFACEDESC2;

// The description's size on the 32-bit system the interface was made for; accepted as well as
// sizeof(DDSURFACEDESC2), which the pointer field makes larger here.
#define DDSURFACEDESC2_SIZE_32BIT 124u

typedef struct _DDBLTFX {
  DWORD dwSize;
  DWORD dwDDFX;
  DWORD dwFillColor;
} DDBLTFX, *LPDDBLTFX;

struct IDirectDrawClipper : IUnknown {
  virtual HRESULT SetHWnd(DWORD flags, HWND window) = 0;
};

struct IDirectDrawSurface7 : IUnknown {
  virtual HRESULT AddAttachedSurface(IDirectDrawSurface7* surface) = 0;
  // Colour fill (DDBLT_COLORFILL, fx->dwFillColor in the surface's pixel format) or a copy from
  // source; no destination rectangle means the whole surface.
  virtual HRESULT Blt(LPRECT destRect, IDirectDrawSurface7* source, LPRECT sourceRect, DWORD flags,
                      LPDDBLTFX fx) = 0;
  // Null detaches every attached surface.
  virtual HRESULT DeleteAttachedSurface(DWORD flags, IDirectDrawSurface7* surface) = 0;
  virtual HRESULT Flip(IDirectDrawSurface7* override, DWORD flags) = 0;
  virtual HRESULT GetAttachedSurface(LPDDSCAPS2 caps, IDirectDrawSurface7** surface) = 0;
  virtual HRESULT GetDC(HDC* dc) = 0;
  virtual HRESULT GetSurfaceDesc(LPDDSURFACEDESC2 description) = 0;
  virtual HRESULT IsLost() = 0;
  virtual HRESULT Lock(LPRECT rect, LPDDSURFACEDESC2 description, DWORD flags, HANDLE event) = 0;
  virtual HRESULT ReleaseDC(HDC dc) = 0;
  virtual HRESULT Restore() = 0;
  virtual HRESULT SetClipper(IDirectDrawClipper* clipper) = 0;
  virtual HRESULT Unlock(LPRECT rect) = 0;
};

struct IDirectDraw7 : IUnknown {
  virtual HRESULT CreateClipper(DWORD flags, IDirectDrawClipper** clipper, IUnknown* outer) = 0;
  virtual HRESULT CreateSurface(LPDDSURFACEDESC2 description, IDirectDrawSurface7** surface,
                                IUnknown* outer) = 0;
  virtual HRESULT RestoreDisplayMode() = 0;
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD flags) = 0;
  virtual HRESULT SetDisplayMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD refreshRate,
                                 DWORD flags) = 0;
  virtual HRESULT WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;
};

typedef IDirectDraw7* LPDIRECTDRAW7;
typedef IDirectDrawSurface7* LPDIRECTDRAWSURFACE7;
typedef IDirectDrawClipper* LPDIRECTDRAWCLIPPER;

inline constexpr IID IID_IDirectDraw7 = {0x7d3d0007, 0x0000, 0x0000, {0, 0, 0, 0, 0, 0, 0, 1}};

// driver: null for the default display driver. iid: IID_IDirectDraw7.
HRESULT DirectDrawCreateEx(GUID* driver, LPVOID* directDraw, REFIID iid, IUnknown* outer);

// Reading a surface through its device context (IDirectDrawSurface7::GetDC).
typedef DWORD COLORREF;
#define CLR_INVALID 0xFFFFFFFFu
#define GetRValue(rgb) (static_cast<BYTE>(rgb))
#define GetGValue(rgb) (static_cast<BYTE>(static_cast<WORD>(rgb) >> 8))
#define GetBValue(rgb) (static_cast<BYTE>((rgb) >> 16))
// 0x00BBGGRR; CLR_INVALID outside the surface or for a context that is not a surface's.
COLORREF GetPixel(HDC dc, int x, int y);
