// Makes windows and pictures of the renderer chosen once, when the window object is made: a
// renderer flag of 0 selects DirectX, any other value OpenGL. The caller owns what it returns.
#pragma once

#include "KGraphic.h"
#include "KWindow.h"

class KObject3D;

class KFactory {
 public:
  // Sets the renderer flag, records the program's folder and makes the window object (the window
  // itself comes with CreateGameWindow). Null when it can't be made.
  static KWindow* CreateWindowObject(int useOpenGL, bool zBuffer);
  // An empty picture of the renderer's family; null when it can't be made.
  static KGraphic* CreateGraphic();
  // A picture loaded with LoadPicture (path, true, true), returned whether or not the load
  // succeeded; null for a renderer flag other than 0 or 1.
  static KGraphic* CreateGraphicFromFile(const char* path);
  static int RendererFlag();
  // An empty 3D object of the renderer's family; null when it can't be made. Defined by the 3D
  // library: only programs that link it may call it.
  static KObject3D* CreateObject3D();
};
