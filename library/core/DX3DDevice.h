// What all Direct3D 3D objects share: the device the DirectX window hands over (not referenced:
// the window owns it), the 3D viewport, and the orthographic choice of the last 3D pass. It lives
// here so that the window can hand its device over without knowing the 3D objects.
#pragma once

#include "platform/win32.h"

struct DX3DDevice {
  IDirect3DDevice7* device = nullptr;
  float viewWidth = 640.0f;
  float viewHeight = 480.0f;
  bool ortho = false;
};

extern DX3DDevice g_dx3D;

// The device and the window's size; the window hands over null when it releases its device.
void SetDX3DDevice(int width, int height, IDirect3DDevice7* device);
