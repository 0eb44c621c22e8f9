// The Direct3D stand-in's calls of a frame, counted in allocations through operator new, which
// this test program replaces. Under AddressSanitizer the replacement would meet the sanitizer's
// own operators in the libraries (memory from one freed by the other), so it is left out there.
#include <atomic>
#include <cstdlib>
#include <new>

#include "direct3d_fixture.h"

std::atomic<size_t> g_allocations{0};

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kCounting = false;
#else
constexpr bool kCounting = true;

// Kept out of line: inlined, the compiler would see malloc's memory freed where new's is deleted.
[[gnu::noinline]] void* operator new(size_t size) {
  ++g_allocations;
  if (void* memory = std::malloc(size > 0 ? size : 1)) return memory;
  throw std::bad_alloc();
}
[[gnu::noinline]] void operator delete(void* memory) noexcept {
  std::free(memory);
}
[[gnu::noinline]] void operator delete(void* memory, size_t) noexcept {
  std::free(memory);
}
#endif

namespace {

using Direct3DAllocations = DirectXTest;

// The recorder costs the calls of a frame nothing while it is off.
TEST_F(Direct3DAllocations, StatesTransformsAndDrawsAllocateNothingWhileNotRecorded) {
  if (!kCounting) GTEST_SKIP() << "operator new is the sanitizer's";
  MakeDevice();
  IDirectDrawSurface7* texture = MakeTexture(2, 2, Argb8888());
  D3DLVERTEX quad[4] = {};
  for (int i = 0; i < 4; ++i) {
    quad[i].x = i % 2 == 0 ? 0.0f : 8.0f;
    quad[i].y = i < 2 ? 0.0f : 8.0f;
    quad[i].color = 0xFFFFFFFF;
  }
  auto frame = [&](int i) {
    D3DMATRIX world{};
    device_->GetTransform(D3DTRANSFORMSTATE_WORLD, &world);
    world._41 = float(i);
    device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
    device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, i % 2);
    device_->SetTextureStageState(0, D3DTSS_MAGFILTER, i % 2 ? D3DTFG_LINEAR : D3DTFG_POINT);
    device_->SetTexture(0, i % 2 ? texture : nullptr);
    device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, quad, 4, 0);
    texture->IsLost();
  };
  // The first draws of each state build OpenGL's shaders, which allocates.
  auto frames = [&] {
    for (int i = 0; i < 10; ++i) frame(i);
    device_->EndScene();
    device_->BeginScene();
  };
  frames();
  size_t before = g_allocations;
  frames();
  EXPECT_EQ(g_allocations - before, 0u);
  device_->SetTexture(0, nullptr);
  texture->Release();
}

}  // namespace
