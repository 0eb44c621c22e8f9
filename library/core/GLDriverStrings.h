// What the OpenGL window reads from its driver's strings: the extensions it lists and whether the
// driver is the system's generic one, which draws without hardware acceleration.
#pragma once

class GLDriverStrings {
 public:
  // Whether the extension list names swap-interval control: "GL_EXT_swap_control" anywhere in
  // it, so that the "WGL_EXT_swap_control" drivers list counts too. False for null.
  static bool ListsSwapControl(const char* extensions);
  // Whether the list names "GL_EXT_texture_rectangle" or "GL_NV_texture_rectangle".
  static bool ListsTextureRectangles(const char* extensions);
  // Whether the vendor contains "microsoft corporation" or the renderer "gdi generic", in any
  // letter case. A null string counts as empty.
  static bool IsGenericDriver(const char* vendor, const char* renderer);
};
