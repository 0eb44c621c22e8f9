// The lighting in lanes of eight, for processors with AVX2: the build compiles this file alone for
// AVX2 (TUNDREL_WIDE_LANES), and VertexLighting::Shade calls it only where the processor has it.
#include "directx/lighting_lanes.h"

namespace platform::directx {

#if defined(TUNDREL_WIDE_LANES)
static_assert(kLanes == 8, "this file is compiled for AVX2");

void ShadeWide(const VertexLighting::Setup& setup, const VertexLighting::ViewLight* lights,
               size_t lightCount, const unsigned char* vertices, size_t step, size_t count,
               GlVertex* corners, size_t cornerStep) {
  ShadeInLanes(setup, lights, lightCount, vertices, step, count, corners, cornerStep);
}
#endif

}  // namespace platform::directx
