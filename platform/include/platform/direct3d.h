// Direct3D 7: the object queried from DirectDraw and the fixed-function device that draws into a
// DirectDraw surface. Matrices are for row vectors; pixel centres are at whole coordinates.
#pragma once

#include <cfloat>
#include <cmath>

#include "platform/d3d_types.h"
#include "platform/directdraw.h"

typedef DWORD D3DCOLOR;
typedef GUID CLSID;
typedef const CLSID& REFCLSID;

#define D3D_OK DD_OK
#define D3DERR_SCENE_IN_SCENE ((HRESULT)0x887602C7)
#define D3DERR_SCENE_NOT_IN_SCENE ((HRESULT)0x887602C8)
#define D3DERR_INVALIDPRIMITIVETYPE ((HRESULT)0x887602BF)
#define D3DERR_INVALIDVERTEXFORMAT ((HRESULT)0x88760818)
#define D3DERR_ZBUFFER_NOTPRESENT ((HRESULT)0x88760301)

typedef enum _D3DRENDERSTATETYPE {
  D3DRENDERSTATE_ANTIALIAS = 2,
  D3DRENDERSTATE_TEXTUREPERSPECTIVE = 4,
  D3DRENDERSTATE_ZENABLE = 7,
  D3DRENDERSTATE_SHADEMODE = 9,
  D3DRENDERSTATE_ALPHATESTENABLE = 15,
  D3DRENDERSTATE_SRCBLEND = 19,
  D3DRENDERSTATE_DESTBLEND = 20,
  D3DRENDERSTATE_CULLMODE = 22,
  D3DRENDERSTATE_DITHERENABLE = 26,
  D3DRENDERSTATE_ALPHABLENDENABLE = 27,
  D3DRENDERSTATE_EDGEANTIALIAS = 40,
  D3DRENDERSTATE_CLIPPING = 136,
  D3DRENDERSTATE_LIGHTING = 137,
  D3DRENDERSTATE_AMBIENT = 139,
  D3DRENDERSTATE_COLORVERTEX = 141,
  D3DRENDERSTATE_DIFFUSEMATERIALSOURCE = 145,
  D3DRENDERSTATE_SPECULARMATERIALSOURCE = 146,
  D3DRENDERSTATE_AMBIENTMATERIALSOURCE = 147,
  D3DRENDERSTATE_EMISSIVEMATERIALSOURCE = 148,
} D3DRENDERSTATETYPE;

typedef enum _D3DTEXTURESTAGESTATETYPE {
  D3DTSS_COLOROP = 1,
  D3DTSS_COLORARG1 = 2,
  D3DTSS_COLORARG2 = 3,
  D3DTSS_ALPHAOP = 4,
  D3DTSS_ALPHAARG1 = 5,
  D3DTSS_ALPHAARG2 = 6,
  D3DTSS_ADDRESS = 12,  // sets ADDRESSU and ADDRESSV together
  D3DTSS_ADDRESSU = 13,
  D3DTSS_ADDRESSV = 14,
  D3DTSS_MAGFILTER = 16,
  D3DTSS_MINFILTER = 17,
} D3DTEXTURESTAGESTATETYPE;

typedef enum _D3DTRANSFORMSTATETYPE {
  D3DTRANSFORMSTATE_WORLD = 1,
  D3DTRANSFORMSTATE_VIEW = 2,
  D3DTRANSFORMSTATE_PROJECTION = 3,
} D3DTRANSFORMSTATETYPE;

typedef enum _D3DPRIMITIVETYPE {
  D3DPT_POINTLIST = 1,
  D3DPT_LINELIST = 2,
  D3DPT_LINESTRIP = 3,
  D3DPT_TRIANGLELIST = 4,
  D3DPT_TRIANGLESTRIP = 5,
  D3DPT_TRIANGLEFAN = 6,
} D3DPRIMITIVETYPE;

#define D3DBLEND_ZERO 1u
#define D3DBLEND_ONE 2u
#define D3DBLEND_SRCCOLOR 3u
#define D3DBLEND_INVSRCCOLOR 4u
#define D3DBLEND_SRCALPHA 5u
#define D3DBLEND_INVSRCALPHA 6u
#define D3DBLEND_DESTALPHA 7u
#define D3DBLEND_INVDESTALPHA 8u
#define D3DBLEND_DESTCOLOR 9u
#define D3DBLEND_INVDESTCOLOR 10u
#define D3DBLEND_SRCALPHASAT 11u

#define D3DCULL_NONE 1u
#define D3DCULL_CW 2u
#define D3DCULL_CCW 3u
#define D3DZB_FALSE 0u
#define D3DZB_TRUE 1u
#define D3DANTIALIAS_NONE 0u
#define D3DSHADE_FLAT 1u
#define D3DSHADE_GOURAUD 2u
// Where a lit vertex takes each colour of its material from: the material, or the vertex's own
// diffuse (COLOR1) or specular (COLOR2) colour.
#define D3DMCS_MATERIAL 0u
#define D3DMCS_COLOR1 1u
#define D3DMCS_COLOR2 2u

#define D3DTOP_DISABLE 1u
#define D3DTOP_SELECTARG1 2u
#define D3DTOP_SELECTARG2 3u
#define D3DTOP_MODULATE 4u
#define D3DTA_DIFFUSE 0u
#define D3DTA_CURRENT 1u
#define D3DTA_TEXTURE 2u
#define D3DTADDRESS_WRAP 1u
#define D3DTADDRESS_CLAMP 3u
#define D3DTFG_POINT 1u
#define D3DTFG_LINEAR 2u
#define D3DTFN_POINT 1u
#define D3DTFN_LINEAR 2u

// Flexible vertex format bits: the parts of a vertex, in this order in memory.
#define D3DFVF_XYZ 0x002u
#define D3DFVF_NORMAL 0x010u
#define D3DFVF_RESERVED1 0x020u
#define D3DFVF_DIFFUSE 0x040u
#define D3DFVF_SPECULAR 0x080u
#define D3DFVF_TEX1 0x100u
#define D3DFVF_LVERTEX \
  (D3DFVF_XYZ | D3DFVF_RESERVED1 | D3DFVF_DIFFUSE | D3DFVF_SPECULAR | D3DFVF_TEX1)

#define D3DDP_WAIT 0x00000001u
#define D3DCLEAR_TARGET 0x00000001u
#define D3DCLEAR_ZBUFFER 0x00000002u
#define D3DENUMRET_CANCEL 0
#define D3DENUMRET_OK 1

// A vertex that carries its own colour: lighting does not apply to it.
typedef struct _D3DLVERTEX {
  D3DVALUE x, y, z;
  DWORD dwReserved;
  D3DCOLOR color;
  D3DCOLOR specular;
  D3DVALUE tu, tv;
} D3DLVERTEX, *LPD3DLVERTEX;

typedef struct _D3DCOLORVALUE {
  D3DVALUE r, g, b, a;
} D3DCOLORVALUE, *LPD3DCOLORVALUE;

typedef struct _D3DVECTOR {
  D3DVALUE x, y, z;
} D3DVECTOR, *LPD3DVECTOR;

// Held in 32 bits, as a light record from elsewhere may carry any value.
typedef enum _D3DLIGHTTYPE : DWORD {
  D3DLIGHT_POINT = 1,
  D3DLIGHT_SPOT = 2,
  D3DLIGHT_DIRECTIONAL = 3,
} D3DLIGHTTYPE;

// The farthest a point or spot light reaches.
#define D3DLIGHT_RANGE_MAX (static_cast<D3DVALUE>(std::sqrt(FLT_MAX)))

// A light in world space. Point and spot lights reach `dvRange` and fade by
// 1 / (dvAttenuation0 + dvAttenuation1 d + dvAttenuation2 d^2) at the distance d; a spot lights
// fully inside the angle dvTheta, fades to nothing at dvPhi (radians, whole cone angles) by the
// power dvFalloff.
typedef struct _D3DLIGHT7 {
  D3DLIGHTTYPE dltType;
  D3DCOLORVALUE dcvDiffuse;
  D3DCOLORVALUE dcvSpecular;
  D3DCOLORVALUE dcvAmbient;
  D3DVECTOR dvPosition;
  D3DVECTOR dvDirection;
  D3DVALUE dvRange;
  D3DVALUE dvFalloff;
  D3DVALUE dvAttenuation0;
  D3DVALUE dvAttenuation1;
  D3DVALUE dvAttenuation2;
  D3DVALUE dvTheta;
  D3DVALUE dvPhi;
} D3DLIGHT7, *LPD3DLIGHT7;

typedef struct _D3DMATERIAL7 {
  D3DCOLORVALUE dcvDiffuse;
  D3DCOLORVALUE dcvAmbient;
  D3DCOLORVALUE dcvSpecular;
  D3DCOLORVALUE dcvEmissive;
  D3DVALUE dvPower;
} D3DMATERIAL7, *LPD3DMATERIAL7;

typedef struct _D3DVIEWPORT7 {
  DWORD dwX;
  DWORD dwY;
  DWORD dwWidth;
  DWORD dwHeight;
  D3DVALUE dvMinZ;
  D3DVALUE dvMaxZ;
} D3DVIEWPORT7, *LPD3DVIEWPORT7;

typedef struct _D3DRECT {
  LONG x1, y1, x2, y2;
} D3DRECT, *LPD3DRECT;

typedef HRESULT(CALLBACK* LPD3DENUMPIXELFORMATSCALLBACK)(LPDDPIXELFORMAT format, LPVOID context);

struct IDirect3DDevice7 : IUnknown {
  virtual HRESULT BeginScene() = 0;
  virtual HRESULT EndScene() = 0;
  // count rectangles (none: the whole viewport), clipped to the viewport.
  virtual HRESULT Clear(DWORD count, LPD3DRECT rects, DWORD flags, D3DCOLOR color, D3DVALUE z,
                        DWORD stencil) = 0;
  virtual HRESULT SetTransform(D3DTRANSFORMSTATETYPE type, LPD3DMATRIX matrix) = 0;
  virtual HRESULT GetTransform(D3DTRANSFORMSTATETYPE type, LPD3DMATRIX matrix) = 0;
  virtual HRESULT SetViewport(LPD3DVIEWPORT7 viewport) = 0;
  virtual HRESULT GetViewport(LPD3DVIEWPORT7 viewport) = 0;
  virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
  virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, LPDWORD value) = 0;
  virtual HRESULT SetRenderTarget(IDirectDrawSurface7* surface, DWORD flags) = 0;
  // The device holds a reference to the texture until another one (or none) is set.
  virtual HRESULT SetTexture(DWORD stage, IDirectDrawSurface7* texture) = 0;
  virtual HRESULT SetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                       DWORD value) = 0;
  virtual HRESULT GetTextureStageState(DWORD stage, D3DTEXTURESTAGESTATETYPE state,
                                       LPDWORD value) = 0;
  virtual HRESULT PreLoad(IDirectDrawSurface7* texture) = 0;
  virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE type, DWORD vertexFormat, LPVOID vertices,
                                DWORD count, DWORD flags) = 0;
  // Lights are numbered freely; enabling one that was never set makes it a white directional
  // light shining along +z.
  virtual HRESULT SetLight(DWORD index, LPD3DLIGHT7 light) = 0;
  virtual HRESULT LightEnable(DWORD index, BOOL enable) = 0;
  virtual HRESULT SetMaterial(LPD3DMATERIAL7 material) = 0;
};

struct IDirect3D7 : IUnknown {
  virtual HRESULT CreateDevice(REFCLSID kind, IDirectDrawSurface7* target,
                               IDirect3DDevice7** device) = 0;
  virtual HRESULT EnumZBufferFormats(REFCLSID kind, LPD3DENUMPIXELFORMATSCALLBACK callback,
                                     LPVOID context) = 0;
};

typedef IDirect3D7* LPDIRECT3D7;
typedef IDirect3DDevice7* LPDIRECT3DDEVICE7;

// The interface and the device kinds; every kind draws through the same OpenGL device here.
inline constexpr IID IID_IDirect3D7 = {0x7d3d0007, 0x0001, 0x0000, {0, 0, 0, 0, 0, 0, 0, 1}};
inline constexpr CLSID IID_IDirect3DTnLHalDevice = {
    0x7d3d0007, 0x0002, 0x0000, {0, 0, 0, 0, 0, 0, 0, 1}};
inline constexpr CLSID IID_IDirect3DHALDevice = {
    0x7d3d0007, 0x0002, 0x0000, {0, 0, 0, 0, 0, 0, 0, 2}};
inline constexpr CLSID IID_IDirect3DMMXDevice = {
    0x7d3d0007, 0x0002, 0x0000, {0, 0, 0, 0, 0, 0, 0, 3}};
inline constexpr CLSID IID_IDirect3DRGBDevice = {
    0x7d3d0007, 0x0002, 0x0000, {0, 0, 0, 0, 0, 0, 0, 4}};
