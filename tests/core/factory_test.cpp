#include <memory>

#include "KFactory.h"
#include "KGraphicGL.h"
#include "KWindowGL.h"
#include "game_window_fixture.h"

namespace {

using Factory = DirectXWindowTest;

// Flag 0 chooses the DirectX family, any other flag the OpenGL family; a picture from a file is
// made for flags 0 and 1 only.
TEST_F(Factory, TheRendererFlagChoosesTheFamilyOfEverythingMade) {
  struct Case {
    int flag;
    bool directX;
  } cases[] = {{0, true}, {1, false}, {2, false}, {-1, false}, {0, true}};
  for (const Case& c : cases) {
    std::unique_ptr<KWindow> window(KFactory::CreateWindowObject(c.flag, false));
    EXPECT_EQ(KFactory::RendererFlag(), c.flag);
    std::unique_ptr<KGraphic> graphic(KFactory::CreateGraphic());
    std::unique_ptr<KGraphic> loaded(KFactory::CreateGraphicFromFile("no such file.png"));
    if (c.directX) {
      EXPECT_NE(dynamic_cast<KWindowDX*>(window.get()), nullptr) << c.flag;
      EXPECT_NE(dynamic_cast<KGraphicDX*>(graphic.get()), nullptr) << c.flag;
      EXPECT_NE(dynamic_cast<KGraphicDX*>(loaded.get()), nullptr) << c.flag;
    } else {
      EXPECT_NE(dynamic_cast<KWindowGL*>(window.get()), nullptr) << c.flag;
      EXPECT_NE(dynamic_cast<KGraphicGL*>(graphic.get()), nullptr) << c.flag;
      EXPECT_EQ(dynamic_cast<KGraphicGL*>(loaded.get()) != nullptr, c.flag == 1) << c.flag;
    }
  }
}

TEST_F(Factory, APictureFromAMissingFileIsStillAPicture) {
  window_ = static_cast<KWindowDX*>(KFactory::CreateWindowObject(0, false));
  ASSERT_TRUE(window_->CreateGameWindow(kWidth, kHeight, 32, true, "test"));
  KGraphic* missing = KFactory::CreateGraphicFromFile("no such file.png");
  ASSERT_NE(missing, nullptr);
  EXPECT_EQ(missing->GetWidth(), 0.0f);
  delete missing;
}

}  // namespace
