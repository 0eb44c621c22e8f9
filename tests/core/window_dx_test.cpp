// The DirectX window: its set-up and failure messages, its view, its flip and its screenshots.
#include <fstream>

#include "KGraphicDX.h"
#include "game_window_fixture.h"
#include "image_files.h"
#include "temp_folder.h"

namespace {

using WindowDX = DirectXWindowTest;

const char kSummary[] = "can't create directX context, please reinstall direct X";

std::vector<std::string> Names(const std::vector<platform::DirectXCall>& calls,
                               const std::vector<std::string>& wanted) {
  std::vector<std::string> names;
  for (const platform::DirectXCall& call : calls) {
    if (std::find(wanted.begin(), wanted.end(), call.name) != wanted.end()) {
      names.push_back(call.name);
    }
  }
  return names;
}

std::vector<std::string> BoxTexts() {
  std::vector<std::string> texts;
  for (const platform::MessageBoxRecord& box : platform::TakeMessageBoxes()) {
    texts.push_back(box.text);
  }
  return texts;
}

TEST_F(WindowDX, AWindowedStartSetsUpInOrder) {
  platform::RecordDirectXCalls(true);
  window_ = new KWindowDX(false);
  ASSERT_TRUE(window_->CreateGameWindow(kWidth, kHeight, 32, true, "test"));
  auto calls = platform::TakeDirectXCalls();
  EXPECT_EQ(
      Names(calls, {"DirectDrawCreateEx", "QueryInterface", "SetCooperativeLevel", "CreateSurface",
                    "CreateClipper", "SetHWnd", "SetClipper", "CreateDevice", "SetViewport"}),
      (std::vector<std::string>{"DirectDrawCreateEx", "QueryInterface", "SetCooperativeLevel",
                                "CreateSurface", "CreateSurface", "CreateClipper", "SetHWnd",
                                "SetClipper", "CreateDevice", "SetViewport"}));
  auto surfaces = CallsNamed(calls, "CreateSurface");
  EXPECT_EQ(surfaces[0].description.ddsCaps.dwCaps, 0x4200u);
  EXPECT_EQ(surfaces[1].description.ddsCaps.dwCaps, 0x6040u);
  EXPECT_EQ(surfaces[1].description.dwWidth, DWORD(kWidth));
  EXPECT_EQ(CallsNamed(calls, "CreateDevice")[0].kind, IID_IDirect3DTnLHalDevice);
  auto fills = CallsNamed(calls, "Blt");
  ASSERT_EQ(fills.size(), 2u);
  EXPECT_EQ(fills[0].args, (std::vector<DWORD>{DDBLT_COLORFILL | DDBLT_WAIT, 0}));
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(WindowDX, EachFailingStepShowsItsMessageThenTheSummary) {
  struct Case {
    platform::DirectXStep step;
    int succeedFirst;
    std::vector<std::string> boxes;
  } cases[] = {
      {platform::DirectXStep::kSetCooperativeLevel,
       0,
       {"could not change cooperative level", kSummary}},
      {platform::DirectXStep::kCreateSurface,
       0,
       {"can't create primary surface for window mode", kSummary}},
      {platform::DirectXStep::kCreateSurface, 1, {"can't create backbuffer", kSummary}},
      {platform::DirectXStep::kDirectDrawCreateEx, 0, {kSummary}},
      {platform::DirectXStep::kQueryInterface, 0, {kSummary}},
      {platform::DirectXStep::kCreateClipper, 0, {kSummary}},
      {platform::DirectXStep::kSetViewport, 0, {}},
  };
  for (const Case& c : cases) {
    platform::FailDirectXStep(c.step, c.succeedFirst);
    KWindowDX window(false);
    EXPECT_FALSE(window.CreateGameWindow(kWidth, kHeight, 32, true, "test"));
    EXPECT_EQ(BoxTexts(), c.boxes);
    platform::ClearDirectXFailures();
  }
}

TEST_F(WindowDX, TheDeviceFallsBackToTheNextKind) {
  platform::FailDirectXStep(platform::DirectXStep::kCreateDevice);
  platform::RecordDirectXCalls(true);
  ASSERT_TRUE(MakeWindow());
  auto devices = CallsNamed(platform::TakeDirectXCalls(), "CreateDevice");
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[1].kind, IID_IDirect3DHALDevice);
}

TEST_F(WindowDX, AWantedZBufferTakesThePlainDepthFormatAndAttaches) {
  platform::RecordDirectXCalls(true);
  ASSERT_TRUE(MakeWindow(true));
  auto calls = platform::TakeDirectXCalls();
  ASSERT_FALSE(CallsNamed(calls, "EnumZBufferFormats").empty());
  auto surfaces = CallsNamed(calls, "CreateSurface");
  ASSERT_EQ(surfaces.size(), 3u);
  EXPECT_EQ(surfaces[2].description.ddpfPixelFormat.dwFlags, DWORD(DDPF_ZBUFFER));
  EXPECT_EQ(surfaces[2].description.ddsCaps.dwCaps, DWORD(DDSCAPS_ZBUFFER | DDSCAPS_VIDEOMEMORY));
  EXPECT_EQ(CallsNamed(calls, "AddAttachedSurface").size(), 1u);
  delete window_;
  platform::FailDirectXStep(platform::DirectXStep::kAddAttachedSurface);
  window_ = new KWindowDX(true);
  EXPECT_FALSE(window_->CreateGameWindow(kWidth, kHeight, 32, true, "test"));
  EXPECT_EQ(BoxTexts(), (std::vector<std::string>{"can't attach Z buffer", kSummary}));
}

TEST_F(WindowDX, TheClearColourIsClampedBeforePacking) {
  ASSERT_TRUE(MakeWindow());
  window_->SetClearColor(2, -1, 0.5f, 1);
  platform::RecordDirectXCalls(true);
  window_->SetWorldView(0, 0, 0, 1, true);
  auto clears = CallsNamed(platform::TakeDirectXCalls(), "Clear");
  platform::RecordDirectXCalls(false);
  ASSERT_EQ(clears.size(), 1u);
  EXPECT_EQ(clears[0].args[2], 0xFFFF007Fu);
  EXPECT_EQ(Pixel(0, 0), (Rgb{255, 0, 127}));
}

TEST_F(WindowDX, TheViewMovesTurnsAndZoomsTheDrawing) {
  ASSERT_TRUE(MakeWindow());
  KGraphicDX graphic;
  window_->SetWorldView(10, 0, 0, 1, true);
  graphic.DrawRect(0, 0, 5, 5, 1, 1, 1, 1);
  EXPECT_EQ(Pixel(12, 2), kWhite);
  EXPECT_EQ(Pixel(2, 2), kBlack);
  // Zoom 2 about the screen centre (100, 75): a rectangle at 90..110 grows to 80..120.
  window_->SetWorldView(0, 0, 0, 2, true);
  graphic.DrawRect(90, 65, 110, 85, 1, 1, 1, 1);
  std::vector<int> columns = ColumnsOf(75, kWhite);
  ASSERT_FALSE(columns.empty());
  EXPECT_NEAR(columns.front(), 80, 1);
  EXPECT_NEAR(columns.back(), 119, 1);
  window_->SetWorldView(0, 0, 0, 0, true);
  graphic.DrawRect(0, 0, kWidth, kHeight, 1, 1, 1, 1);
  EXPECT_EQ(Pixel(10, 10), kBlack);  // zoom 0 collapses everything to a point
}

TEST_F(WindowDX, AFlipEndsTheScenePresentsAndBeginsTheNext) {
  ASSERT_TRUE(MakeWindow());
  platform::RecordDirectXCalls(true);
  window_->FlipBackBuffer(false, false);
  auto calls = platform::TakeDirectXCalls();
  EXPECT_EQ(Names(calls, {"EndScene", "IsLost", "WaitForVerticalBlank", "Blt", "BeginScene"}),
            (std::vector<std::string>{"EndScene", "IsLost", "WaitForVerticalBlank", "Blt",
                                      "BeginScene"}));
  // A lost primary surface is restored at the next flip.
  platform::LoseSurface(
      static_cast<IDirectDrawSurface7*>(const_cast<void*>(CallsNamed(calls, "Blt")[0].object)));
  window_->FlipBackBuffer(false, false);
  EXPECT_EQ(CallsNamed(platform::TakeDirectXCalls(), "Restore").size(), 1u);
}

// After the first flip the frame is drawn in the window itself; a resize of the window must not
// take the frame with it.
TEST_F(WindowDX, TheFrameSurvivesAResizeOfTheWindow) {
  ASSERT_TRUE(MakeWindow());
  EXPECT_TRUE(platform::IsDrawnInWindow(g_dxPictures.backBuffer));
  window_->SetClearColor(1, 0, 0, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  KGraphicDX graphic;
  graphic.DrawRect(0, 0, 5, 5, 1, 1, 1, 1);
  ASSERT_TRUE(MoveWindow(window_->GetWindowHandle(), 0, 0, kWidth + 60, kHeight + 60, TRUE));
  EXPECT_FALSE(platform::IsDrawnInWindow(g_dxPictures.backBuffer));
  EXPECT_EQ(Pixel(2, 2), kWhite);
  EXPECT_EQ(Pixel(100, 100), kRed);
}

TEST_F(WindowDX, ANegativeFadeLaysAnOpaqueBlackQuadWithItsOwnBlending) {
  ASSERT_TRUE(MakeWindow());
  window_->SetClearColor(1, 1, 1, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  KGraphicDX graphic;
  graphic.SetBlitMode(K_BLEND_ONE_INVSRCALPHA);
  graphic.DrawRect(0, 0, 1, 1, 1, 1, 1, 1);  // leaves factors one / one minus source alpha
  window_->SetFade(-0.5f);
  platform::RecordDirectXCalls(true);
  window_->FlipBackBuffer(false, false);
  auto calls = platform::TakeDirectXCalls();
  platform::RecordDirectXCalls(false);
  auto draws = CallsNamed(calls, "DrawPrimitive");
  ASSERT_EQ(draws.size(), 1u);
  auto quad = draws[0].VerticesAs<D3DLVERTEX>();
  ASSERT_EQ(quad.size(), 6u);
  EXPECT_EQ(quad[0].color, 0xFF000000u);
  EXPECT_EQ(quad[2].x, float(kWidth));
  EXPECT_EQ(quad[2].y, -float(kHeight));
  EXPECT_EQ(Pixel(50, 50), kBlack);
}

TEST_F(WindowDX, ScreenshotsAreWrittenAtTheWindowsOrTheAskedSize) {
  ASSERT_TRUE(MakeWindow());
  window_->SetClearColor(0, 0, 1, 1);
  window_->SetWorldView(0, 0, 0, 1, true);
  TempFolder folder;
  std::string full = folder.File("full.tga"), half = folder.File("half.tga");
  ASSERT_TRUE(window_->SaveBackBuffer(full.c_str(), K_IMAGE_TGA, 0, 0));
  ASSERT_TRUE(window_->SaveBackBuffer(half.c_str(), K_IMAGE_TGA, 100, 75));
  std::string bytes = folder.Read("full.tga");
  ASSERT_GT(bytes.size(), 18u);
  EXPECT_EQ(uint8_t(bytes[12]) | uint8_t(bytes[13]) << 8, kWidth);
  EXPECT_EQ(uint8_t(bytes[14]) | uint8_t(bytes[15]) << 8, kHeight);
  std::string small = folder.Read("half.tga");
  EXPECT_EQ(uint8_t(small[12]) | uint8_t(small[13]) << 8, 100);
  // The frame itself is left as it was.
  EXPECT_EQ(Pixel(150, 100), kBlue);
  std::string none = folder.File("none.tga");
  EXPECT_FALSE(window_->SaveBackBuffer(none.c_str(), 7, 0, 0));
  EXPECT_FALSE(std::ifstream(none).good());
}

TEST_F(WindowDX, FullScreenAndBackReloadsPicturesOnce) {
  // With a Z buffer, which the switch releases and the windowed set-up makes again (the
  // sanitizer build checks that none is left behind).
  ASSERT_TRUE(MakeWindow(true));
  TempFolder folder;
  folder.Write("red.tga", TgaFile(TestPicture{1, 1, {PackPixel(255, 0, 0, 255)}}, 32));
  std::string path = folder.File("red.tga");
  KGraphicDX graphic;
  ASSERT_TRUE(graphic.LoadPicture(path.c_str(), true, true));
  platform::RecordDirectXCalls(true);
  window_->SetFullScreen(true);
  window_->SetFullScreen(true);
  auto calls = platform::TakeDirectXCalls();
  EXPECT_EQ(CallsNamed(calls, "SetDisplayMode").size(), 1u);
  ASSERT_NE(graphic.Surface(), nullptr);
  EXPECT_NE(Device(), nullptr);
  window_->SetFullScreen(false);
  EXPECT_EQ(CallsNamed(platform::TakeDirectXCalls(), "RestoreDisplayMode").size(), 1u);
  platform::RecordDirectXCalls(false);
  window_->FlipBackBuffer(false, true);
  graphic.BlitRect(0, 0, 1, 1, 3, 3, false, false);
  EXPECT_EQ(Pixel(3, 3), kRed);
  EXPECT_TRUE(BoxTexts().empty());
}

TEST_F(WindowDX, TheDestructorReleasesInOrder) {
  ASSERT_TRUE(MakeWindow());
  IDirect3DDevice7* device = Device();
  IDirectDraw7* directDraw = g_dxPictures.directDraw;
  IDirectDrawSurface7* backBuffer = g_dxPictures.backBuffer;
  platform::RecordDirectXCalls(true);
  delete window_;
  window_ = nullptr;
  std::vector<const void*> released;
  for (const auto& call : CallsNamed(platform::TakeDirectXCalls(), "Release")) {
    released.push_back(call.object);
  }
  ASSERT_GE(released.size(), 5u);
  EXPECT_EQ(released.front(), device);
  // The device gives back its reference to its target, then the window its own.
  EXPECT_EQ(std::count(released.begin(), released.end(), backBuffer), 2);
  EXPECT_EQ(released.back(), directDraw);
  EXPECT_EQ(g_dxPictures.device, nullptr);  // pictures no longer see the released device
}

TEST_F(WindowDX, ClosingSetsTheQuitFlagUnlessAHandlerSwallowsIt) {
  ASSERT_TRUE(MakeWindow());
  window_->SetEventCallback([](KWindowEvent* event) { return event->message != WM_CLOSE; });
  SendMessageA(window_->GetWindowHandle(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(window_->IsQuit());
  window_->SetEventCallback(nullptr);
  SendMessageA(window_->GetWindowHandle(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(window_->IsQuit());
  window_->FlipBackBuffer(true, true);  // still works after quitting, and returns
}

}  // namespace
