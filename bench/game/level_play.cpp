#include "level_play.h"

#include <cmath>

#include "GameTools.h"
#include "GlobalResources.h"
#include "KWindow.h"
#include "LevelAttempt.h"
#include "platform/input_seams.h"
#include "platform/win32.h"

namespace {

constexpr unsigned int kRandomSeed = 1;
constexpr int kLaunchAt = 300;
// The keys of the extra life: C held, then L, released again two frames later.
constexpr int kExtraLifeEvery = 60;
constexpr int kExtraLifeAt = 10;

void ReleaseEverything() {
  for (int key : {int('C'), int('L'), int(VK_ESCAPE)}) platform::ScriptKey(key, false);
  platform::ScriptMouseButton(VK_LBUTTON, false);
}

// Moves the cursor and presses the keys of the frame that was just presented.
void PlayFrame(int frame, int frames) {
  POINT cursor = {400 + static_cast<LONG>(300 * std::sin(frame * 0.05)), 500};
  ClientToScreen(g_window->GetWindowHandle(), &cursor);
  platform::ScriptCursor(cursor.x, cursor.y);
  if (frame == kLaunchAt) platform::ScriptMouseButton(VK_LBUTTON, true);
  if (frame == kLaunchAt + 2) platform::ScriptMouseButton(VK_LBUTTON, false);
  if (frame % kExtraLifeEvery == kExtraLifeAt) {
    platform::ScriptKey('C', true);
    platform::ScriptKey('L', true);
  }
  if (frame % kExtraLifeEvery == kExtraLifeAt + 2) {
    platform::ScriptKey('L', false);
    platform::ScriptKey('C', false);
  }
  if (frame == frames) platform::ScriptKey(VK_ESCAPE, true);
}

}  // namespace

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

std::vector<double> GameFrameTimes(const LevelPlay& play) {
  std::vector<double> times;
  for (size_t i = 1; i < play.flips.size(); ++i)
    times.push_back(Milliseconds(play.flips[i] - play.resumes[i - 1]));
  return times;
}

bool PlayLevel(int frames, PlayListener* listener, LevelPlay* play) {
  ReleaseEverything();
  SeedRandom(kRandomSeed);
  play->flips.clear();
  play->resumes.clear();
  platform::SetInputPumpHook([&] {
    play->flips.push_back(Clock::now());
    if (listener) listener->OnFlip();
    PlayFrame(static_cast<int>(play->flips.size()), frames);
    play->resumes.push_back(Clock::now());
  });
  int lives = 3;
  LevelAttempt attempt;
  bool setUp = attempt.Setup(kBenchLevel, &lives);
  if (setUp) {
    if (listener) listener->OnSetUp(attempt);
    play->objects = attempt.GetBrickCount();
    play->endState = attempt.Run();
    attempt.Teardown();
  }
  platform::SetInputPumpHook(nullptr);
  ReleaseEverything();
  return setUp;
}
