#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "GameTools.h"
#include "KInput.h"
#include "KTrueText.h"
#include "LevelObjects.h"
#include "game_recording_graphic.h"
#include "platform/input_seams.h"
#include "platform/win32.h"

namespace {

class LevelObjects : public testing::Test {
 protected:
  void SetUp() override {
    platform::UseScriptedInput(true);
    SeedRandom(7);
  }
  void TearDown() override { platform::UseScriptedInput(true); }

  RecordingGraphic picture_;
};

Rect PaddleRect(float x) {
  return {{x, 560}, {145, 24}};
}

// The shake state is shared by every paddle for the whole run: a short shake run to its end leaves
// the counter at 0, whatever earlier tests did.
void EndAnyShake() {
  Paddle paddle;
  paddle.Init(nullptr);
  paddle.mode = PADDLE_SHAKE_SHORT;
  for (int i = 0; i < 200 && paddle.mode != PADDLE_FOLLOW; ++i) paddle.Update();
}

// How many updates a shake lasts once started in the given mode, switching to the next mode after
// the given number of updates (0: never).
int UpdatesUntilFollowing(Paddle& paddle, int switchAfter = 0, int nextMode = PADDLE_FOLLOW) {
  int updates = 0;
  while (paddle.mode != PADDLE_FOLLOW && updates < 1000) {
    if (switchAfter > 0 && updates == switchAfter) paddle.mode = nextMode;
    paddle.Update();
    ++updates;
  }
  return updates;
}

}  // namespace

TEST_F(LevelObjects, ThePaddleFollowsTheMouse79PixelsToItsLeftAndKeepsItsHeight) {
  Paddle paddle;
  paddle.Init(&picture_);
  EXPECT_EQ(paddle.position.x, 0);
  EXPECT_EQ(paddle.mode, PADDLE_FOLLOW);
  paddle.SetPosition(300, 550);
  platform::ScriptCursor(400, 123);
  paddle.Update();
  EXPECT_EQ(paddle.position.x, 321);
  EXPECT_EQ(paddle.position.y, 550);
  platform::ScriptCursor(10, 400);
  paddle.Update();
  EXPECT_EQ(paddle.position.x, -69);

  Rect rect;
  paddle.GetRect(&rect);
  EXPECT_EQ(rect.position.x, -61);
  EXPECT_EQ(rect.position.y, 560);
  EXPECT_EQ(rect.size.x, 145);
  EXPECT_EQ(rect.size.y, 24);

  paddle.mode = 7;
  platform::ScriptCursor(500, 400);
  paddle.Update();
  EXPECT_EQ(paddle.position.x, -69) << "an unknown mode does nothing";
}

TEST_F(LevelObjects, AShakeJittersAroundTheSpotWhereItBeganWithAlternatingSigns) {
  EndAnyShake();
  Paddle paddle;
  paddle.Init(&picture_);
  paddle.SetPosition(200.5f, 550);
  platform::ScriptCursor(279, 300);
  paddle.mode = PADDLE_SHAKE_SHORT;
  int previousSign = 0;
  for (int i = 0; i < 10; ++i) {
    paddle.Update();
    float dx = paddle.position.x - 200.5f, dy = paddle.position.y - 550;
    EXPECT_LE(std::abs(dx), 3);
    EXPECT_LE(std::abs(dy), 3);
    EXPECT_EQ(dx, std::trunc(dx)) << "whole steps from the frozen spot";
    int sign = dx > 0 || dy > 0 ? 1 : dx < 0 || dy < 0 ? -1 : 0;
    if (sign != 0 && previousSign != 0) {
      EXPECT_EQ(sign, -previousSign) << "update " << i;
    }
    if (sign != 0) previousSign = sign;
    EXPECT_EQ(paddle.mode, PADDLE_SHAKE_SHORT);
  }
  paddle.Update();
  EXPECT_EQ(paddle.mode, PADDLE_FOLLOW) << "the 11th update ends a short shake";
  // The cursor is put under the paddle's last jitter, so that following it doesn't jump; the
  // paddle keeps its last jittered height.
  EXPECT_EQ(KInput::GetMouseX(), static_cast<int>(paddle.position.x + 79));
  EXPECT_EQ(KInput::GetMouseY(), 300);
  EXPECT_LE(std::abs(paddle.position.y - 550), 3);
}

TEST_F(LevelObjects, AShakeIsDrawnFromTheGamesRandomNumbersWithTheSharedSign) {
  EndAnyShake();
  std::vector<float> runs[2];
  for (auto& run : runs) {
    SeedRandom(99);
    Paddle paddle;
    paddle.Init(&picture_);
    paddle.SetPosition(100, 550);
    paddle.mode = PADDLE_SHAKE_LONG;
    while (paddle.mode != PADDLE_FOLLOW) {
      paddle.Update();
      run.push_back(paddle.position.x - 100);
      run.push_back(paddle.position.y - 550);
    }
  }
  ASSERT_EQ(runs[0].size(), 2u * 101) << "a long shake lasts 101 updates";
  ASSERT_EQ(runs[1].size(), runs[0].size());
  // The same seed draws the same offsets; the sign is program-wide and was turned an odd number
  // of times by the first shake, so the second one is its mirror image.
  for (size_t i = 0; i < runs[0].size(); ++i) EXPECT_EQ(runs[1][i], -runs[0][i]) << i;
}

TEST_F(LevelObjects, TheShakeCounterIsSharedAndGoesOnWhenTheModeChanges) {
  EndAnyShake();
  Paddle paddle;
  paddle.Init(&picture_);
  paddle.mode = PADDLE_SHAKE_LONG;
  EXPECT_EQ(UpdatesUntilFollowing(paddle, 40, PADDLE_SHAKE_LONG), 101)
      << "a second snowball does not lengthen the shake";
  paddle.mode = PADDLE_SHAKE_SHORT;
  EXPECT_EQ(UpdatesUntilFollowing(paddle, 5, PADDLE_SHAKE_LONG), 101)
      << "a snowball during a chimney's shake lengthens it to the snowball's";
  paddle.mode = PADDLE_SHAKE_LONG;
  EXPECT_EQ(UpdatesUntilFollowing(paddle, 20, PADDLE_SHAKE_SHORT), 21)
      << "a chimney after the counter passed 10 ends the shake at the next update";

  // The counter belongs to no paddle: a new paddle (the next level) goes on from it.
  paddle.mode = PADDLE_SHAKE_LONG;
  for (int i = 0; i < 60; ++i) paddle.Update();
  Paddle next;
  next.Init(&picture_);
  next.mode = PADDLE_SHAKE_LONG;
  EXPECT_EQ(UpdatesUntilFollowing(next), 41);
}

TEST_F(LevelObjects, TheShakeFreezesWhereThePaddleIsWhenItStarts) {
  EndAnyShake();
  Paddle paddle;
  paddle.Init(&picture_);
  paddle.SetPosition(400, 550);
  paddle.mode = PADDLE_SHAKE_SHORT;
  paddle.Update();
  paddle.SetPosition(0, 0);  // a later move is ignored: the spot stays frozen
  for (int i = 0; i < 5; ++i) {
    paddle.Update();
    EXPECT_NEAR(paddle.position.x, 400, 3);
    EXPECT_NEAR(paddle.position.y, 550, 3);
  }
}

TEST_F(LevelObjects, TheBallRidesToAndFroOnThePaddle) {
  Ball ball;
  ball.Init(&picture_, 0, 0, 800, 600);
  EXPECT_EQ(ball.state, BALL_ON_PADDLE);
  EXPECT_EQ(ball.offset, 40);
  EXPECT_EQ(ball.step, 1);
  Rect paddle = PaddleRect(100);
  EXPECT_EQ(ball.Update(paddle), 0);
  EXPECT_EQ(ball.position.x, 142);
  EXPECT_EQ(ball.position.y, 524) << "2 x radius + 8 above the paddle's rectangle";

  float lowest = ball.offset, highest = ball.offset;
  std::vector<int> turns;
  for (int frame = 2; frame <= 200; ++frame) {
    int stepBefore = ball.step;
    ball.Update(paddle);
    if (ball.step != stepBefore) turns.push_back(frame);
    lowest = std::min(lowest, ball.offset);
    highest = std::max(highest, ball.offset);
    EXPECT_EQ(ball.position.x, 100 + ball.offset);
  }
  EXPECT_EQ(highest, 106) << "turns once beyond 105";
  EXPECT_EQ(lowest, -14) << "turns once below -12";
  ASSERT_GE(turns.size(), 2u);
  EXPECT_EQ(turns[0], 33);
  EXPECT_EQ(turns[1], 33 + 60);
  EXPECT_EQ(ball.state, BALL_ON_PADDLE) << "no button, no launch";
}

TEST_F(LevelObjects, TheLaunchAngleFollowsWhereTheBallSitsOnThePaddle) {
  struct Case {
    float centreOverRectLeft;
    float expectedX, expectedY;
  };
  // Over the middle straight up; at the rectangle's left end 60 degrees to the left; at its
  // right end 60 degrees to the right.
  const Case cases[] = {{72.5f, 0, -6},
                        {0, -6 * std::sin(1.04718f), -6 * std::cos(1.04718f)},
                        {145, 6 * std::sin(1.04718f), -6 * std::cos(1.04718f)}};
  platform::ScriptMouseButton(VK_LBUTTON, true);
  for (const Case& c : cases) {
    Ball ball;
    ball.Init(&picture_, 0, 0, 800, 600);
    Rect paddle = PaddleRect(200);
    // The circle is taken before the ball moves along the paddle.
    ball.SetPosition(200 + c.centreOverRectLeft - 26, 524);
    EXPECT_EQ(ball.Update(paddle), 1);
    EXPECT_EQ(ball.state, BALL_MOVING);
    EXPECT_NEAR(ball.velocity.x, c.expectedX, 1e-4) << c.centreOverRectLeft;
    EXPECT_NEAR(ball.velocity.y, c.expectedY, 1e-4) << c.centreOverRectLeft;
    EXPECT_EQ(ball.position.x, 242) << "the launch frame still rides along";
    EXPECT_EQ(ball.Update(paddle), 0) << "launched once";
  }
}

TEST_F(LevelObjects, TheMovingBallBouncesOnTheLeftRightAndTopBoundsOnly) {
  Ball ball;
  ball.Init(&picture_, 0, 0, 800, 600);
  ball.state = BALL_MOVING;
  Rect paddle = PaddleRect(0);

  ball.SetPosition(-26, 300);  // centre on the left bound
  ball.SetVelocity(-3, 1);
  ball.Update(paddle);
  EXPECT_EQ(ball.velocity.x, 3);
  EXPECT_EQ(ball.position.x, -23);

  ball.SetPosition(-25, 300);  // centre right of the bound: flies on
  ball.SetVelocity(-3, 1);
  ball.Update(paddle);
  EXPECT_EQ(ball.velocity.x, -3);

  ball.SetPosition(759.5f, 300);  // centre + radius 799.5: not yet
  ball.SetVelocity(2, 0);
  ball.Update(paddle);
  EXPECT_EQ(ball.velocity.x, 2);
  ball.Update(paddle);  // 801.5 >= 800: reflected
  EXPECT_EQ(ball.velocity.x, -2);

  ball.SetPosition(300, -23);  // centre on the top bound
  ball.SetVelocity(1, -4);
  ball.Update(paddle);
  EXPECT_EQ(ball.velocity.y, 4);

  ball.SetPosition(300, 5000);  // the bottom is not a bound
  ball.SetVelocity(0, 5);
  ball.Update(paddle);
  EXPECT_EQ(ball.velocity.y, 5);
  EXPECT_EQ(ball.position.y, 5005);
}

TEST_F(LevelObjects, InACornerOneComponentIsReflectedAFrame) {
  Ball ball;
  ball.Init(&picture_, 0, 0, 800, 600);
  ball.state = BALL_MOVING;
  Rect paddle = PaddleRect(0);
  ball.SetPosition(-27, -24);
  ball.SetVelocity(-2, -3);
  ball.Update(paddle);
  EXPECT_EQ(ball.velocity.x, 2);
  EXPECT_EQ(ball.velocity.y, -3);
  ball.Update(paddle);
  EXPECT_EQ(ball.velocity.x, 2);
  EXPECT_EQ(ball.velocity.y, 3);
}

TEST_F(LevelObjects, ABallInAnUnknownStateStaysPut) {
  Ball ball;
  ball.Init(&picture_, 0, 0, 800, 600);
  ball.state = 5;
  ball.SetPosition(10, 20);
  ball.SetVelocity(1, 1);
  platform::ScriptMouseButton(VK_LBUTTON, true);
  Rect paddle = PaddleRect(0);
  EXPECT_EQ(ball.Update(paddle), 0);
  EXPECT_EQ(ball.position.x, 10);
  EXPECT_EQ(ball.state, 5);
}

TEST_F(LevelObjects, TheSwingPhaseWrapsToZeroOnThe151stStep) {
  Brick brick;
  brick.Init(&picture_, BRICK_GIFT_SMALL, 0);
  brick.SetPosition(100, 50);
  float largest = 0;
  for (int step = 1; step <= 150; ++step) {
    brick.Update();
    EXPECT_NEAR(brick.swing, std::sin(brick.phase / 360 * 2 * 3.141592f) * 30, 1e-4);
    largest = std::max(largest, brick.swing);
  }
  EXPECT_LT(brick.phase, 360);
  EXPECT_GT(brick.phase, 357);
  EXPECT_NEAR(largest, 30, 0.01);
  brick.Update();
  EXPECT_EQ(brick.phase, 0) << "set to 0, not reduced by 360";
  EXPECT_EQ(brick.position.x, 100);
  EXPECT_EQ(brick.position.y, 50) << "a hanging object stays put";
  EXPECT_EQ(brick.state, BRICK_HANGING);
}

TEST_F(LevelObjects, AFallingObjectAcceleratesAndKeepsItsSwing) {
  Brick brick;
  brick.Init(&picture_, BRICK_SNOWBALL, 16);
  brick.SetPosition(300, 100);
  brick.Update();
  float swing = brick.swing;
  brick.state = BRICK_FALLING;
  brick.velocity = {2, -1};
  brick.Update();
  EXPECT_FLOAT_EQ(brick.velocity.y, -0.82f);
  EXPECT_FLOAT_EQ(brick.position.x, 302);
  EXPECT_FLOAT_EQ(brick.position.y, 99.18f);
  brick.Update();
  EXPECT_FLOAT_EQ(brick.velocity.y, -0.64f);
  EXPECT_EQ(brick.swing, swing);
  EXPECT_NEAR(brick.phase, 16 + 3 * 2.4, 1e-4) << "the phase goes on while falling";
}

TEST_F(LevelObjects, AFallingObjectIsReflectedByTheSidesOfTheWindow) {
  Brick brick;
  brick.Init(&picture_, BRICK_GIFT_LARGE, 0);
  brick.state = BRICK_FALLING;
  brick.SetPosition(720.5f, 100);
  brick.velocity = {0.2f, 0};
  brick.Update();
  EXPECT_FLOAT_EQ(brick.velocity.x, -0.2f);
  brick.Update();
  EXPECT_FLOAT_EQ(brick.velocity.x, 0.2f) << "still beyond the right side: negated again";
  EXPECT_FLOAT_EQ(brick.position.x, 720.5f);

  brick.SetPosition(-1, 100);
  brick.velocity = {-2, 0};
  brick.Update();
  EXPECT_EQ(brick.velocity.x, 2);
  EXPECT_EQ(brick.position.x, 1);
  brick.Update();
  EXPECT_EQ(brick.velocity.x, 2);
}

TEST_F(LevelObjects, AnObjectBelow800IsGoneAfterItsNextUpdate) {
  Brick hanging;
  hanging.Init(&picture_, BRICK_CHIMNEY, 0);
  hanging.SetPosition(100, 800.5f);
  hanging.Update();
  EXPECT_EQ(hanging.state, BRICK_GONE);
  EXPECT_EQ(hanging.position.y, 800.5f) << "a gone object no longer moves";

  Brick falling;
  falling.Init(&picture_, BRICK_GIFT_SMALL, 0);
  falling.state = BRICK_FALLING;
  falling.SetPosition(100, 799);
  falling.velocity = {0, 1};
  falling.Update();
  EXPECT_EQ(falling.state, BRICK_FALLING) << "800 itself is not below";
  falling.Update();
  EXPECT_EQ(falling.state, BRICK_GONE);
  float phase = falling.phase, y = falling.position.y;
  falling.Update();
  EXPECT_EQ(falling.phase, phase) << "nothing at all happens to a gone object";
  EXPECT_EQ(falling.position.y, y);
}

TEST_F(LevelObjects, AnObjectInAnotherStateIsKeptAndOnlyDrawn) {
  Brick brick;
  brick.Init(&picture_, BRICK_GIFT_SMALL, 0);
  brick.SetPosition(40, 60);
  brick.state = 5;
  brick.Update();
  EXPECT_EQ(brick.state, 5);
  EXPECT_EQ(brick.position.y, 60);
  EXPECT_EQ(brick.swing, 0);
  brick.Draw();
  EXPECT_EQ(picture_.calls.size(), 1u);
}

TEST_F(LevelObjects, EachTypeHasItsShapesAndAnUnknownTypeHasNone) {
  struct Shape {
    int type;
    float cx, cy, radius, rx, ry, width, height;
  };
  const Shape shapes[] = {{0, 169, 145, 27, 127, 120, 76, 52},
                          {1, 169, 145, 30, 125, 113, 86, 63},
                          {2, 169, 145, 36, 119, 103, 96, 76},
                          {3, 169, 124, 29, 131, 89, 71, 71},
                          {4, 169, 124, 30, 134, 91, 65, 68}};
  for (const Shape& s : shapes) {
    Brick brick;
    brick.Init(&picture_, s.type, 0);
    brick.SetPosition(100, 50);
    Circle circle;
    Rect rect;
    ASSERT_TRUE(brick.GetHitCircle(&circle));
    ASSERT_TRUE(brick.GetCatchRect(&rect));
    EXPECT_EQ(circle.centre.x, s.cx) << "type " << s.type;
    EXPECT_EQ(circle.centre.y, s.cy) << "type " << s.type;
    EXPECT_EQ(circle.radius, s.radius) << "type " << s.type;
    EXPECT_EQ(rect.position.x, s.rx) << "type " << s.type;
    EXPECT_EQ(rect.position.y, s.ry) << "type " << s.type;
    EXPECT_EQ(rect.size.x, s.width) << "type " << s.type;
    EXPECT_EQ(rect.size.y, s.height) << "type " << s.type;
  }
  for (int type : {-1, 5, 99}) {
    Brick brick;
    brick.Init(&picture_, type, 0);
    Circle circle{{-7, -7}, -7};
    Rect rect{{-7, -7}, {-7, -7}};
    EXPECT_FALSE(brick.GetHitCircle(&circle));
    EXPECT_FALSE(brick.GetCatchRect(&rect));
    EXPECT_EQ(circle.radius, -7) << "left as it was";
    EXPECT_EQ(rect.size.x, -7);
    brick.Draw();
  }
  EXPECT_TRUE(picture_.calls.empty()) << "an unknown type draws nothing";
}

TEST_F(LevelObjects, ObjectsDrawTheirSpritesAtTheirTruncatedPosition) {
  Paddle paddle;
  paddle.Init(&picture_);
  paddle.SetPosition(300.9f, 550);
  paddle.Draw();
  Ball ball;
  ball.Init(&picture_, 0, 0, 800, 600);
  ball.SetPosition(-10.7f, 20.2f);
  ball.Draw();
  Brick chimney;
  chimney.Init(&picture_, BRICK_CHIMNEY, 0);
  chimney.SetPosition(10.9f, -3.7f);
  chimney.swing = 12.5f;
  chimney.Draw();
  chimney.state = BRICK_GONE;
  chimney.Draw();
  Brick gift;
  gift.Init(&picture_, BRICK_GIFT_MEDIUM, 0);
  gift.SetPosition(0, 0);
  gift.Draw();
  std::vector<std::string> expected = {
      "BlitAlphaRect(4,4,180,48 at 300,550 flip 0,0)",
      "BlitAlphaRectFx(125,44,175,94 at -10,20 angle 0 zoom 1 alpha 1 flip 0,0 c 0,0)",
      "BlitAlphaRectFx(319,0,452,147 at 10,-3 angle 12.5 zoom 1 alpha 1 flip 0,0 c 0,0)",
      "BlitAlphaRectFx(184,147,319,293 at 0,0 angle 0 zoom 1 alpha 1 flip 0,0 c 0,0)"};
  EXPECT_EQ(picture_.calls, expected);
}

TEST_F(LevelObjects, LivesAreDrawnAsSmallBallsTwentyPixelsApart) {
  LivesDisplay lives;
  lives.Init(&picture_);
  EXPECT_EQ(lives.count, 0);
  lives.SetPosition(710, -10);
  lives.Draw();
  EXPECT_TRUE(picture_.calls.empty());
  lives.count = -1;
  lives.Draw();
  EXPECT_TRUE(picture_.calls.empty()) << "a count below 0 draws nothing";
  lives.count = 3;
  lives.Draw();
  std::vector<std::string> expected;
  for (int x : {710, 730, 750}) {
    expected.push_back("BlitAlphaRectFx(125,44,175,94 at " + std::to_string(x) +
                       ",-10 angle 0 zoom 0.6 alpha 0.9 flip 0,0 c 0,0)");
  }
  EXPECT_EQ(picture_.calls, expected);
}

TEST_F(LevelObjects, TheGiftCounterStacksColumnsOf25Upward) {
  GiftCounter counter;
  counter.Init(&picture_, 30, 30);
  EXPECT_EQ(counter.caught, 0);
  counter.SetPosition(-50, 500);
  counter.Draw();
  ASSERT_EQ(picture_.calls.size(), 30u) << "no tint while every icon is within the quota";
  auto at = [](int x, int y) {
    return "BlitAlphaRectFx(50,147,184,293 at " + std::to_string(x) + "," + std::to_string(y) +
           " angle 0 zoom 0.2 alpha 0.2 flip 0,0 c 0,0)";
  };
  EXPECT_EQ(picture_.calls[0], at(-50, 500));
  EXPECT_EQ(picture_.calls[1], at(-50, 477));
  EXPECT_EQ(picture_.calls[24], at(-50, -52));
  EXPECT_EQ(picture_.calls[25], at(-24, 500)) << "the second column starts at the bottom again";
  EXPECT_EQ(picture_.calls[29], at(-24, 408));
}

TEST_F(LevelObjects, TheGiftCounterShowsCaughtAndExtraGiftsInTheirColoursAndModes) {
  GiftCounter counter;
  counter.Init(&picture_, 2, 5);
  counter.caught = 3;
  counter.Draw();
  auto icon = [](int y, const char* alpha) {
    return "BlitAlphaRectFx(50,147,184,293 at 0," + std::to_string(y) + " angle 0 zoom 0.2 alpha " +
           alpha + " flip 0,0 c 0,0)";
  };
  std::vector<std::string> expected = {
      icon(0, "0.8"),
      icon(-23, "0.8"),
      // caught beyond the quota: tinted blue
      "SetBlitColor(0.3,0.3,1,1)",
      icon(-46, "0.8"),
      "SetBlitColor(1,1,1,1)",
      // not caught, beyond the quota: faint cyan in mode 2, then back to mode 1
      "SetBlitColor(0.1,1,1,0.35)",
      "SetBlitMode(2)",
      icon(-69, "0.2"),
      "SetBlitColor(1,1,1,1)",
      "SetBlitMode(1)",
      "SetBlitColor(0.1,1,1,0.35)",
      "SetBlitMode(2)",
      icon(-92, "0.2"),
      "SetBlitColor(1,1,1,1)",
      "SetBlitMode(1)",
  };
  EXPECT_EQ(picture_.calls, expected);
}

TEST_F(LevelObjects, TheMessagePanelFadesInAndOutInSteadySteps) {
  KTrueText font("no such font.ttf");
  MessagePanel panel;
  panel.Init(&font, "first", "second", 50);
  EXPECT_EQ(panel.fade, 0);
  EXPECT_EQ(panel.closeRequest, 0);
  EXPECT_STREQ(panel.line1, "first");
  EXPECT_STREQ(panel.line2, "second");
  EXPECT_EQ(panel.size, 50);

  int steps = 0;
  float before;
  do {
    before = panel.fade;
    panel.Update();
    ++steps;
  } while (panel.fade != before && steps < 1000);
  EXPECT_EQ(steps - 1, 51) << "fading in stops just above 1";
  EXPECT_NEAR(panel.fade, 1.02, 1e-4);

  panel.Close();
  steps = 0;
  do {
    before = panel.fade;
    panel.Update();
    ++steps;
  } while (panel.fade != before && steps < 1000);
  EXPECT_EQ(steps - 1, 52) << "fading out stops just below 0";
  EXPECT_NEAR(panel.fade, -0.02, 1e-4);

  panel.Show();
  panel.Update();
  EXPECT_NEAR(panel.fade, 0, 1e-4);
}

TEST_F(LevelObjects, PanelLinesHoldAtMost79CharactersAndNoTextIsEmpty) {
  KTrueText font("no such font.ttf");
  MessagePanel panel;
  std::string longText(100, 'x');
  panel.Init(&font, longText.c_str(), nullptr, 50);
  EXPECT_EQ(std::string(panel.line1), std::string(79, 'x'));
  EXPECT_STREQ(panel.line2, "");
  panel.SetText("You didn't catch", "enougth gifts. Try again...");
  EXPECT_STREQ(panel.line1, "You didn't catch");
  EXPECT_STREQ(panel.line2, "enougth gifts. Try again...");
}
