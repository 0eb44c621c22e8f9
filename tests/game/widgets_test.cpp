#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "../sound/sound_fixtures.h"
#include "KSound.h"
#include "KText.h"
#include "Widgets.h"
#include "game_recording_graphic.h"
#include "platform/directsound.h"
#include "platform/input_seams.h"
#include "platform/win32.h"

namespace {

class Widgets : public testing::Test {
 protected:
  void SetUp() override {
    platform::UseScriptedInput(true);
    font_.SetGraphic(&fontPicture_);
    font_.SetCharTable(table_);
  }
  void TearDown() override {
    platform::UseScriptedInput(true);
    platform::SetAudioOutput(platform::AudioOutput::kDevice);
  }

  // Over the button at (100, 100) of 50 x 40 is (120, 120), away (300, 300).
  static void Mouse(bool over, bool down) {
    platform::ScriptCursor(over ? 120 : 300, over ? 120 : 300);
    platform::ScriptMouseButton(VK_LBUTTON, down);
  }
  // Frames such as "ov!": the mouse over (o) or away (x), the left button down (v) or up (^),
  // and whether the rule reports then (!).
  template <typename Rule>
  static void Play(Rule rule, const std::string& frames) {
    std::istringstream in(frames);
    std::string frame;
    for (int i = 0; in >> frame; ++i) {
      Mouse(frame[0] == 'o', frame[1] == 'v');
      EXPECT_EQ(rule(), frame.size() == 3) << frames << ", frame " << i;
    }
  }
  // The box pictures of the text controls are replaced by boxPicture_, which records.
  RecordingGraphic picture_, other_, fontPicture_;
  std::shared_ptr<RecordingGraphic> boxPicture_ = std::make_shared<RecordingGraphic>();
  const KCharRect table_[4] = {
      {'a', 0, 0, 7, 11, 10, 14}, {'b', 8, 0, 15, 11, 10, 14}, {'{', 16, 0, 23, 11, 10, 14}, {}};
  KText font_;
  Button button_ = MakeButton(&picture_, 50, 40, 100, 100, nullptr, kAnimationNone, nullptr, 0, 0);
};

TEST_F(Widgets, ASpriteDrawsItsRegionAtItsTruncatedHeldPosition) {
  Sprite sprite(&picture_, 30, 20, 5, 6);
  sprite.SetDrawPosition(40000, -3.7f);
  sprite.zoom = 2;
  sprite.Draw();
  EXPECT_EQ(picture_.calls.back(),
            "BlitAlphaRectFx(5,6,35,26 at 32767,-3 angle 0 zoom 2 alpha 1 flip 0,0 c 0,0)");
  Sprite(nullptr, 30, 20, 0, 0).Draw();
}

TEST_F(Widgets, APressCountsOnlyWhenItBeginsOverTheButton) {
  Play([&] { return button_.WasClicked(); }, "o^ ov! ov xv o^ xv ov o^ ov!");
  Button other = MakeButton(&picture_, 50, 40, 100, 100, nullptr, kAnimationNone, nullptr, 0, 0);
  Play([&] { return other.WasReleased(); }, "ov o^! ov x^ xv ov o^ ov xv o^!");
  Mouse(false, true);
  EXPECT_FALSE(other.IsPressed());
  Mouse(true, true);
  EXPECT_TRUE(other.IsPressed());
  Play([&] { return other.WasReleased(); }, "o^");
  ToggleButton toggle = MakeToggleButton(&picture_, &other_, 50, 40, 100, 100, nullptr, 0, nullptr);
  Play([&] { return toggle.WasClicked(); }, "ov! ov o^ ov! o^ ov!");
  EXPECT_TRUE(toggle.toggled);
  EXPECT_EQ(toggle.picture, &other_);
}

TEST_F(Widgets, WithAClickSoundAClickIsReportedInTheFirstFrameAfterTheSound) {
  platform::SetAudioOutput(platform::AudioOutput::kManual);
  std::string wav = sound_fixtures::Wav16(1, 44100, {1000, 2000, 3000});
  auto sound = std::make_unique<KSound>();
  ASSERT_TRUE(sound->LoadSampleFromMemory(wav.data(), int(wav.size()), 0, 100, false, 1));
  button_.SetClickSound(sound.get());
  Play([&] { return button_.WasClicked(); }, "ov");
  EXPECT_TRUE(sound->IsPlaying());
  platform::Mix(2);
  Play([&] { return button_.WasClicked(); }, "ov");
  platform::Mix(2);
  Play([&] { return button_.WasClicked(); }, "ov! ov o^");
  Play([&] { return button_.WasReleased(); }, "ov o^");
  platform::Mix(4);
  Play([&] { return button_.WasReleased(); }, "o^! o^");
}

// Rates per second; 125 ms makes steps of 0.125 for a rate of 1.
TEST_F(Widgets, TheHoverZoomTakesOneStepACallAndMayPassItsLimits) {
  const float rates[] = {1.5f, 3, 2};
  button_.SetAnimation(kAnimationHoverZoom, rates);
  std::tuple<bool, int, float> steps[] = {
      {true, 125, 1.375f}, {true, -50, 1.375f}, {true, 125, 1.75f},  {true, 125, 1.75f},
      {false, 125, 1.5f},  {false, 10, 1.48f},  {false, 250, 0.98f}, {false, 125, 0.98f}};
  for (const auto& [over, elapsed, zoom] : steps) {
    Mouse(over, false);
    button_.Animate(elapsed);
    EXPECT_NEAR(button_.zoom, zoom, 1e-5) << elapsed;
  }
  EXPECT_NE(picture_.calls.back().find("zoom 0.98"), std::string::npos) << picture_.calls.back();
  const float still[] = {2, 0, 0};
  button_.SetAnimation(kAnimationHoverZoom, still);
  Mouse(true, false);
  button_.Animate(16);
  EXPECT_NEAR(button_.zoom, 0.98f, 1e-5) << "a speed of 0 stands still";
}

TEST_F(Widgets, APulseRunsOnAfterTheMouseLeavesUntilItCrossesOne) {
  const float rates[] = {0.25f, 1, 1};
  button_.SetAnimation(kAnimationPulse, rates);
  const std::string over = "xooxxxooooooxxx";
  const float zooms[] = {1,      1.125f, 1.125f, 1,      0.875f, 0.875f, 1, 1.125f,
                         1.125f, 1,      0.875f, 0.875f, 1,      1,      1};
  for (size_t i = 0; i < over.size(); ++i) {
    Mouse(over[i] == 'o', false);
    button_.Animate(125);
    EXPECT_FLOAT_EQ(button_.zoom, zooms[i]) << "step " << i;
  }
  EXPECT_FALSE(button_.pulsing);
}

TEST_F(Widgets, AGroupIsOneRowThatReadsAsAGauge) {
  ButtonGroup group(&picture_, &other_, 50, 40, 5, 47, 100, nullptr, kAnimationNone, nullptr);
  EXPECT_EQ(group.buttons[1].drawPosition.x, 100);
  Play([&] { return group.Update() == 1; }, "ov o^!");
  group.Select(2);
  std::vector<KGraphic*> shown;
  for (const Button& button : group.buttons) shown.push_back(button.picture);
  EXPECT_EQ(shown, (std::vector<KGraphic*>{&picture_, &picture_, &picture_, &other_, &other_}));
  picture_.calls.clear();
  group.Animate(16);
  EXPECT_NE(picture_.calls.back().find("at 153,100"), std::string::npos) << picture_.calls.back();
  EXPECT_EQ(ButtonGroup(&picture_, &other_, 5, 5, 25, 0, 0, nullptr, 0, nullptr).buttons.size(),
            20u);
  EXPECT_TRUE(ButtonGroup(&picture_, &other_, 5, 5, -3, 0, 0, nullptr, 0, nullptr).buttons.empty());
}

TEST_F(Widgets, TheEditBoxTakesKeysWhileEditingAndDrawsItsStateInTheBox) {
  EditBox box;
  box.Init(10.8f, 20, &font_, 30, 16, 6);
  box.boxPicture = boxPicture_;
  EXPECT_FALSE(box.Update('a'));
  platform::ScriptCursor(20, 25);
  platform::ScriptMouseButton(VK_LBUTTON, true);
  EXPECT_TRUE(box.CheckClick());
  std::tuple<char, const char*, float> keys[] = {
      {0, "", 30},          {8, "", 40},         {'a', "a", 40},      {'|', "a", 40},
      {char(200), "a", 40}, {'{', "a{", 40},     {' ', "a{ ", 40},    {'b', "a{ b", 40},
      {'a', "a{ ba", 40},   {'b', "a{ bab", 50}, {'a', "a{ bab", 50}, {8, "a{ ba", 40}};
  for (const auto& [key, text, width] : keys) {
    EXPECT_FALSE(box.Update(key)) << int(key);
    EXPECT_STREQ(box.text, text) << int(key);
    EXPECT_EQ(box.width, width) << int(key);
  }
  EXPECT_EQ(boxPicture_->calls.back(), "DrawRect(10.8,20,54.8,36 colour 1,1,1,0.92)");
  EXPECT_NE(fontPicture_.calls.back().find("at 40,20"), std::string::npos);
  platform::ScriptCursor(300, 300);
  EXPECT_FALSE(box.CheckClick());
  EXPECT_TRUE(box.Update(13));
  EXPECT_EQ(boxPicture_->calls.back(), "DrawRect(10.8,20,54.8,36 colour 1,1,1,0.4)");
  box.editing = true;
  EXPECT_TRUE(box.Update(9));
}

TEST_F(Widgets, TextsStayInsideTheirArraysAndBoxPicturesAreDeletedOnce) {
  EditBox box;
  box.Init(0, 0, nullptr, 30, 16, 1000);
  box.SetText(std::string(300, 'x').c_str());
  EXPECT_EQ(std::strlen(box.text), 255u);
  box.editing = true;
  box.Update(8);
  for (int i = 0; i < 10; ++i) box.Update('y');
  EXPECT_EQ(std::strlen(box.text), 255u);
  std::weak_ptr<KGraphic> first = box.boxPicture;
  EditBox copy = box;
  box.Init(0, 0, nullptr, 30, 16, 5);
  EXPECT_FALSE(first.expired()) << "the copy still draws with it";
  copy.Init(0, 0, nullptr, 30, 16, 5);
  EXPECT_TRUE(first.expired());

  Label label;
  label.Init(10, 20, &font_, 100, 60);
  label.boxPicture = boxPicture_;
  std::memset(label.text, 'a', sizeof label.text);
  label.Draw();
  EXPECT_TRUE(boxPicture_->calls.empty()) << "hidden until its owner shows it";
  label.visible = true;
  label.Draw();
  EXPECT_EQ(boxPicture_->calls,
            std::vector<std::string>{"DrawRect(10,20,114,80 colour 1,1,1,0.92)"});
  EXPECT_EQ(fontPicture_.calls.size(), 1u + 79u);
  std::strcpy(label.text, "ab");
  label.Draw();
  EXPECT_NE(fontPicture_.calls[fontPicture_.calls.size() - 2].find("at 50,30"), std::string::npos);
  label.boxPicture.reset();
  label.font = nullptr;
  label.Draw();
}

TEST_F(Widgets, TestSpritesStepUnevenlyOrShareOneVelocityWithUnevenLimits) {
  TestSprite sprite(nullptr, 10, 10, 0, 0), other(nullptr, 10, 10, 0, 0);
  auto moved = [](TestSprite& s, int elapsed) {
    s.SetDrawPosition(0, 0);
    s.Update(elapsed);
    return s.drawPosition;
  };
  std::pair<int, Vector2> steps[] = {
      {VK_RIGHT, {0.5f, 0}}, {VK_LEFT, {-6, 0}}, {VK_UP, {0, -7}}, {VK_DOWN, {0, 7}}};
  for (const auto& [key, step] : steps) {
    platform::ScriptKey(key, true);
    Vector2 move = moved(sprite, 16);
    EXPECT_TRUE(move.x == step.x && move.y == step.y) << key;
    platform::ScriptKey(key, false);
  }
  sprite.SetMode(kMoveWithInertia);
  other.SetMode(kMoveWithInertia);
  EXPECT_EQ(moved(sprite, -100).x, 0) << "no time passed: the shared velocity is at rest";
  platform::ScriptKey(VK_LEFT, true);
  for (float x : {-45.0f, -90.0f, -100.0f}) EXPECT_FLOAT_EQ(moved(sprite, 1000).x, x);
  platform::ScriptKey(VK_LEFT, false);
  EXPECT_NEAR(moved(sprite, 100).x, -5, 1e-5) << "0.19 lost a fiftieth of a second";
  platform::ScriptKey(VK_RIGHT, true);
  EXPECT_NEAR(moved(other, 500).x, 2.5, 1e-5) << "one velocity for all";
  EXPECT_NEAR(moved(sprite, 500).x, 10, 1e-5);
  platform::ScriptKey(VK_RIGHT, false);
  platform::ScriptKey(VK_DOWN, true);
  for (float y : {125.0f, 250.0f, 375.0f, 430.00003f}) EXPECT_FLOAT_EQ(moved(sprite, 1000).y, y);
}

}  // namespace
