// Xlib leaves every output of a geometry query unset when the drawable is gone. The software GL
// driver asks for its window's geometry at the first draw after each swap and sizes its frame
// buffer from those outputs all the same: once another program has destroyed the window, a frame
// drawn before the destruction is seen would allocate and clear gigabytes sized by whatever was on
// the stack. This definition, exported from every program of the library (see the platform's
// link options), stands in for Xlib's for the whole process and reports a failed query as zero
// sizes, which the driver draws nothing into.
#include <dlfcn.h>

// Last: X11's headers define short macro names.
#include <X11/Xlib.h>

extern "C" Status XGetGeometry(Display* display, Drawable drawable, Window* root, int* x, int* y,
                               unsigned* width, unsigned* height, unsigned* border,
                               unsigned* depth) {
  using Query = Status (*)(Display*, Drawable, Window*, int*, int*, unsigned*, unsigned*, unsigned*,
                           unsigned*);
  static const auto xlibQuery = reinterpret_cast<Query>(dlsym(RTLD_NEXT, "XGetGeometry"));
  *root = 0;
  *x = *y = 0;
  *width = *height = *border = *depth = 0;
  return xlibQuery && xlibQuery(display, drawable, root, x, y, width, height, border, depth);
}
