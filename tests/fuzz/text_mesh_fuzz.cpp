// Fuzz target for the text mesh loader: the input is a text mesh in memory.
#include <cstddef>
#include <cstdint>

#include "mesh_fuzz_object.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  MeshFuzzObject object;
  if (object.LoadTextFromMemory(reinterpret_cast<const char*>(data), size, 1.5f)) {
    object.CheckMesh(true);
  }
  return 0;
}
