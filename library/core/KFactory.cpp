#include "KFactory.h"

#include <new>

#include "KGraphicDX.h"
#include "KGraphicGL.h"
#include "KMiscTools.h"
#include "KWindowDX.h"
#include "KWindowGL.h"

namespace {

template <typename Window>
KWindow* MakeWindow(bool zBuffer) {
  return new (std::nothrow) Window(zBuffer);
}

template <typename Graphic>
KGraphic* MakeGraphic() {
  return new (std::nothrow) Graphic();
}

// What a renderer's family makes; a null maker makes nothing.
struct Family {
  KWindow* (*window)(bool zBuffer);
  KGraphic* (*graphic)();
};

constexpr Family kDirectX{
    .window = MakeWindow<KWindowDX>,
    .graphic = MakeGraphic<KGraphicDX>,
};

constexpr Family kOpenGL{
    .window = MakeWindow<KWindowGL>,
    .graphic = MakeGraphic<KGraphicGL>,
};

int g_rendererFlag = 0;

// 0 selects DirectX, any other flag OpenGL.
const Family& ChosenFamily() {
  return g_rendererFlag == 0 ? kDirectX : kOpenGL;
}

}  // namespace

int KFactory::RendererFlag() {
  return g_rendererFlag;
}

KWindow* KFactory::CreateWindowObject(int useOpenGL, bool zBuffer) {
  g_rendererFlag = useOpenGL;
  KMiscTools::InitAppFolder();
  const Family& family = ChosenFamily();
  return family.window ? family.window(zBuffer) : nullptr;
}

KGraphic* KFactory::CreateGraphic() {
  const Family& family = ChosenFamily();
  return family.graphic ? family.graphic() : nullptr;
}

KGraphic* KFactory::CreateGraphicFromFile(const char* path) {
  if (g_rendererFlag != 0 && g_rendererFlag != 1) return nullptr;
  KGraphic* picture = CreateGraphic();
  if (picture) picture->LoadPicture(path, true, true);
  return picture;
}
