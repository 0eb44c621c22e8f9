#include "direct3d_fixture.h"

namespace {

using Direct3D = DirectXTest;

D3DLVERTEX Vertex(float x, float y, D3DCOLOR color = 0xFFFFFFFF, float u = 0, float v = 0) {
  D3DLVERTEX vertex{};
  vertex.x = x;
  vertex.y = y;
  vertex.color = color;
  vertex.tu = u;
  vertex.tv = v;
  return vertex;
}

bool IsIdentity(const D3DMATRIX& m) {
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      if (m.m[row][column] != (row == column ? 1.0f : 0.0f)) return false;
    }
  }
  return true;
}

DWORD RenderState(IDirect3DDevice7* device, D3DRENDERSTATETYPE state) {
  DWORD value = 0xDEAD;
  device->GetRenderState(state, &value);
  return value;
}

DWORD StageState(IDirect3DDevice7* device, D3DTEXTURESTAGESTATETYPE state) {
  DWORD value = 0xDEAD;
  device->GetTextureStageState(0, state, &value);
  return value;
}

TEST_F(Direct3D, ADeviceStartsFromTheDocumentedDefaults) {
  MakeDevice();
  for (auto type :
       {D3DTRANSFORMSTATE_WORLD, D3DTRANSFORMSTATE_VIEW, D3DTRANSFORMSTATE_PROJECTION}) {
    D3DMATRIX m{};
    ASSERT_EQ(device_->GetTransform(type, &m), D3D_OK);
    EXPECT_TRUE(IsIdentity(m));
  }
  EXPECT_EQ(RenderState(device_, D3DRENDERSTATE_ALPHABLENDENABLE), DWORD(FALSE));
  EXPECT_EQ(RenderState(device_, D3DRENDERSTATE_SRCBLEND), D3DBLEND_ONE);
  EXPECT_EQ(RenderState(device_, D3DRENDERSTATE_DESTBLEND), D3DBLEND_ZERO);
  EXPECT_EQ(RenderState(device_, D3DRENDERSTATE_ZENABLE), D3DZB_FALSE);
  EXPECT_EQ(StageState(device_, D3DTSS_COLOROP), D3DTOP_MODULATE);
  EXPECT_EQ(StageState(device_, D3DTSS_ALPHAOP), D3DTOP_SELECTARG1);
  EXPECT_EQ(StageState(device_, D3DTSS_ADDRESSU), D3DTADDRESS_WRAP);
  D3DVIEWPORT7 viewport{};
  ASSERT_EQ(device_->GetViewport(&viewport), D3D_OK);
  EXPECT_EQ(viewport.dwWidth, kWidth);
  EXPECT_EQ(viewport.dwHeight, kHeight);
}

TEST_F(Direct3D, AddressSetsBothAxesAndOutOfRangeValuesAreRefused) {
  MakeDevice();
  ASSERT_EQ(device_->SetTextureStageState(0, D3DTSS_ADDRESS, D3DTADDRESS_CLAMP), D3D_OK);
  EXPECT_EQ(StageState(device_, D3DTSS_ADDRESSU), D3DTADDRESS_CLAMP);
  EXPECT_EQ(StageState(device_, D3DTSS_ADDRESSV), D3DTADDRESS_CLAMP);
  EXPECT_EQ(device_->SetTextureStageState(0, D3DTSS_ADDRESSU, 9), DDERR_UNSUPPORTED);
  EXPECT_EQ(device_->SetTextureStageState(0, D3DTSS_COLOROP, 7), DDERR_UNSUPPORTED);
  EXPECT_EQ(device_->SetTextureStageState(8, D3DTSS_COLOROP, D3DTOP_MODULATE), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->SetRenderState(D3DRENDERSTATE_SRCBLEND, 0), DDERR_INVALIDPARAMS);
  EXPECT_EQ(RenderState(device_, D3DRENDERSTATE_SRCBLEND), D3DBLEND_ONE);
}

TEST_F(Direct3D, SetTextureHoldsAReferenceUntilReplaced) {
  MakeDevice();
  IDirectDrawSurface7* texture = MakeTexture(2, 2, Argb8888());
  ASSERT_EQ(device_->SetTexture(0, texture), D3D_OK);
  texture->AddRef();
  EXPECT_EQ(texture->Release(), 2u);  // ours and the device's
  EXPECT_EQ(device_->SetTexture(0, nullptr), D3D_OK);
  EXPECT_EQ(texture->Release(), 0u);
  EXPECT_EQ(device_->SetTexture(0, backBuffer_), DDERR_INVALIDPARAMS);
}

TEST_F(Direct3D, DepthFormatsAreEnumeratedUntilTheCallbackStops) {
  struct Seen {
    std::vector<DDPIXELFORMAT> formats;
    size_t stopAfter;
  } seen{{}, 2};
  auto callback = [](LPDDPIXELFORMAT format, LPVOID context) -> HRESULT {
    auto* s = static_cast<Seen*>(context);
    s->formats.push_back(*format);
    return s->formats.size() == s->stopAfter ? D3DENUMRET_CANCEL : D3DENUMRET_OK;
  };
  ASSERT_EQ(direct3D_->EnumZBufferFormats(IID_IDirect3DRGBDevice, callback, &seen), D3D_OK);
  ASSERT_EQ(seen.formats.size(), 2u);
  EXPECT_EQ(seen.formats[0].dwFlags, DWORD(DDPF_ZBUFFER | DDPF_STENCILBUFFER));
  EXPECT_EQ(seen.formats[1].dwFlags, DWORD(DDPF_ZBUFFER));
  EXPECT_EQ(seen.formats[1].dwZBufferBitDepth, 16u);
  GUID unknown{};
  EXPECT_EQ(direct3D_->EnumZBufferFormats(unknown, callback, &seen), DDERR_INVALIDPARAMS);
}

TEST_F(Direct3D, ADeviceNeedsARenderTargetOfACooperatingDirectDraw) {
  IDirectDrawSurface7* texture = MakeTexture(4, 4, Argb8888());
  IDirect3DDevice7* device = nullptr;
  EXPECT_EQ(direct3D_->CreateDevice(IID_IDirect3DHALDevice, texture, &device), DDERR_INVALIDPARAMS);
  DDSURFACEDESC2 description = Description(8, 8);
  description.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
  description.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_3DDEVICE;
  IDirectDrawSurface7* target = nullptr;
  ASSERT_EQ(directDraw_->CreateSurface(&description, &target, nullptr), DD_OK);
  EXPECT_EQ(direct3D_->CreateDevice(IID_IDirect3DHALDevice, target, &device),
            DDERR_NOCOOPERATIVELEVELSET);
  EXPECT_EQ(device, nullptr);
  target->Release();
  texture->Release();
}

TEST_F(Direct3D, DevicesCanBeMadeToFailByKind) {
  MakeDevice();
  platform::FailDirectXStep(platform::DirectXStep::kCreateDevice, 1);
  IDirect3DDevice7* first = nullptr;
  IDirect3DDevice7* second = nullptr;
  EXPECT_EQ(direct3D_->CreateDevice(IID_IDirect3DTnLHalDevice, backBuffer_, &first), D3D_OK);
  EXPECT_EQ(direct3D_->CreateDevice(IID_IDirect3DHALDevice, backBuffer_, &second), DDERR_GENERIC);
  EXPECT_EQ(second, nullptr);
  first->Release();
}

TEST_F(Direct3D, ScenesDoNotNestAndAnEndWithoutABeginIsHarmless) {
  MakeDevice();
  EXPECT_EQ(device_->BeginScene(), D3DERR_SCENE_IN_SCENE);
  EXPECT_EQ(device_->EndScene(), D3D_OK);
  EXPECT_EQ(device_->EndScene(), D3DERR_SCENE_NOT_IN_SCENE);
  D3DLVERTEX point = Vertex(1, 1);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_POINTLIST, D3DFVF_LVERTEX, &point, 1, 0),
            D3DERR_SCENE_NOT_IN_SCENE);
  EXPECT_EQ(device_->BeginScene(), D3D_OK);
}

TEST_F(Direct3D, DrawsRefuseFormatsPrimitivesAndCountsTheyCannotDraw) {
  MakeDevice();
  D3DLVERTEX quad[4] = {Vertex(0, 0), Vertex(1, 0), Vertex(0, 1), Vertex(1, 1)};
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0x004 | D3DFVF_DIFFUSE, quad, 4, 0),
            D3DERR_INVALIDVERTEXFORMAT);
  EXPECT_EQ(device_->DrawPrimitive(D3DPRIMITIVETYPE(9), D3DFVF_LVERTEX, quad, 4, 0),
            D3DERR_INVALIDPRIMITIVETYPE);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, D3DFVF_LVERTEX, quad, 2, 0),
            DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, nullptr, 4, 0),
            DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_POINTLIST, D3DFVF_LVERTEX, quad, 0x10000, 0),
            DDERR_INVALIDPARAMS);
}

TEST_F(Direct3D, TheRecorderCopiesVerticesStatesAndTransforms) {
  MakeDevice();
  platform::RecordDirectXCalls(true);
  D3DLVERTEX quad[4] = {Vertex(0, 0, 0xFF102030), Vertex(8, 0), Vertex(0, 8), Vertex(8, 8)};
  D3DMATRIX world{};
  world._11 = world._22 = world._33 = world._44 = 2.0f;
  device_->SetTransform(D3DTRANSFORMSTATE_WORLD, &world);
  device_->SetRenderState(D3DRENDERSTATE_ALPHABLENDENABLE, TRUE);
  device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, quad, 4, D3DDP_WAIT);
  quad[0].x = 99;  // the recorded copy must not follow the caller's array
  auto calls = platform::TakeDirectXCalls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].name, "SetTransform");
  EXPECT_EQ(calls[0].matrix._11, 2.0f);
  EXPECT_EQ(calls[1].args, (std::vector<DWORD>{D3DRENDERSTATE_ALPHABLENDENABLE, TRUE}));
  EXPECT_EQ(calls[2].name, "DrawPrimitive");
  EXPECT_EQ(calls[2].args,
            (std::vector<DWORD>{D3DPT_TRIANGLESTRIP, D3DFVF_LVERTEX, 4, D3DDP_WAIT}));
  auto vertices = calls[2].VerticesAs<D3DLVERTEX>();
  ASSERT_EQ(vertices.size(), 4u);
  EXPECT_EQ(vertices[0].x, 0.0f);
  EXPECT_EQ(vertices[0].color, 0xFF102030u);
  EXPECT_EQ(vertices[3].y, 8.0f);
}

TEST_F(Direct3D, ClearRefusesADepthBufferThatIsNotThere) {
  MakeDevice();
  EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_ZBUFFER_NOTPRESENT);
  EXPECT_EQ(device_->Clear(1, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), DDERR_INVALIDPARAMS);
  EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 1.0f, 0), D3D_OK);
}

TEST_F(Direct3D, ViewportsMustLieInsideTheTarget) {
  MakeDevice();
  D3DVIEWPORT7 inside{8, 8, kWidth - 8, kHeight - 8, 0.0f, 1.0f};
  EXPECT_EQ(device_->SetViewport(&inside), D3D_OK);
  D3DVIEWPORT7 outside{8, 8, kWidth, kHeight, 0.0f, 1.0f};
  EXPECT_EQ(device_->SetViewport(&outside), DDERR_INVALIDPARAMS);
  D3DVIEWPORT7 depths{0, 0, 4, 4, 0.5f, 0.25f};
  EXPECT_EQ(device_->SetViewport(&depths), DDERR_INVALIDPARAMS);
  platform::FailDirectXStep(platform::DirectXStep::kSetViewport);
  EXPECT_EQ(device_->SetViewport(&inside), DDERR_GENERIC);
  D3DVIEWPORT7 kept{};
  device_->GetViewport(&kept);
  EXPECT_EQ(kept.dwX, 8u);
}

}  // namespace
