#include "KFactory.h"

#include <new>

#include "KGraphicDX.h"
#include "KMiscTools.h"
#include "KWindowDX.h"

namespace {

int g_rendererFlag = 0;

}  // namespace

int KFactory::RendererFlag() {
  return g_rendererFlag;
}

KWindow* KFactory::CreateWindowObject(int useOpenGL, bool zBuffer) {
  g_rendererFlag = useOpenGL;
  KMiscTools::InitAppFolder();
  // This build draws through DirectX only: there is no OpenGL window to make.
  if (g_rendererFlag != 0) return nullptr;
  return new (std::nothrow) KWindowDX(zBuffer);
}

KGraphic* KFactory::CreateGraphic() {
  if (g_rendererFlag != 0) return nullptr;
  return new (std::nothrow) KGraphicDX();
}

KGraphic* KFactory::CreateGraphicFromFile(const char* path) {
  if (g_rendererFlag != 0) return nullptr;
  KGraphic* picture = new (std::nothrow) KGraphicDX();
  if (picture) picture->LoadPicture(path, true, true);
  return picture;
}
