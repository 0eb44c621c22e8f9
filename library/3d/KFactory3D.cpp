// The factory's 3D object lives with the 3D library, so that core never depends on it.
#include <new>

#include "KFactory.h"
#include "KObject3DDX.h"
#include "KObject3DGL.h"

KObject3D* KFactory::CreateObject3D() {
  if (RendererFlag() == 0) return new (std::nothrow) KObject3DDX();
  return new (std::nothrow) KObject3DGL();
}
