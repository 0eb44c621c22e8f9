#include "DX3DDevice.h"

DX3DDevice g_dx3D;

void SetDX3DDevice(int width, int height, IDirect3DDevice7* device) {
  g_dx3D.device = device;
  g_dx3D.viewWidth = static_cast<float>(width);
  g_dx3D.viewHeight = static_cast<float>(height);
}
