#include "KFactory.h"
#include "window_dx_fixture.h"

namespace {

using Factory = DirectXWindowTest;

TEST_F(Factory, FlagZeroMakesDirectXWindowsAndPictures) {
  KWindow* window = KFactory::CreateWindowObject(0, false);
  EXPECT_EQ(KFactory::RendererFlag(), 0);
  ASSERT_NE(dynamic_cast<KWindowDX*>(window), nullptr);
  KGraphic* graphic = KFactory::CreateGraphic();
  EXPECT_NE(dynamic_cast<KGraphicDX*>(graphic), nullptr);
  delete graphic;
  delete window;
}

TEST_F(Factory, APictureFromAMissingFileIsStillAPicture) {
  window_ = static_cast<KWindowDX*>(KFactory::CreateWindowObject(0, false));
  ASSERT_TRUE(window_->CreateGameWindow(kWidth, kHeight, 32, true, "test"));
  KGraphic* missing = KFactory::CreateGraphicFromFile("no such file.png");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->GetWidth(), 0.0f);
  delete missing;
}

TEST_F(Factory, AnUnknownRendererMakesNoPictureFromAFile) {
  delete KFactory::CreateWindowObject(2, false);
  EXPECT_EQ(KFactory::RendererFlag(), 2);
  EXPECT_EQ(KFactory::CreateGraphicFromFile("any.png"), nullptr);
  delete KFactory::CreateWindowObject(0, false);
}

}  // namespace
