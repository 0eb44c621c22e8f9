// Placeholder on this branch only: the mesh file readers and writer replace it.
#include "KObject3D.h"

bool KObject3D::LoadASE(const char*, float, bool) {
  return false;
}
bool KObject3D::LoadText(const char*, float, bool) {
  return false;
}
bool KObject3D::LoadBinary(const char*, bool) {
  return false;
}
bool KObject3D::SaveBinary(const char*) {
  return false;
}
