// Plays the full level (70 objects) for a fixed number of frames with a scripted player, without
// the frame limiter, and prints the work a frame takes and the time to the first presented frame.
// Needs a display (run it under xvfb-run on a machine without one).
//
//   game_bench [FRAMES]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "GameState.h"
#include "GlobalResources.h"
#include "KFactory.h"
#include "KWindow.h"
#include "LevelAttempt.h"
#include "platform/directsound.h"
#include "platform/input_seams.h"
#include "platform/win32.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// The player: presses the button to launch the ball, sweeps the paddle to and fro, takes an extra
// life with C + L now and then so that lost balls don't end the level early, and leaves the level
// with Escape after the last frame. Called once a frame, when the flip looks for messages.
struct ScriptedPlayer {
  int frames;
  std::vector<Clock::time_point> flips;

  void OnFlip() {
    flips.push_back(Clock::now());
    int frame = static_cast<int>(flips.size());
    POINT cursor = {400 + static_cast<LONG>(300 * std::sin(frame * 0.05)), 500};
    ClientToScreen(g_window->GetWindowHandle(), &cursor);
    platform::ScriptCursor(cursor.x, cursor.y);
    if (frame == 2) platform::ScriptMouseButton(VK_LBUTTON, true);
    if (frame == 4) platform::ScriptMouseButton(VK_LBUTTON, false);
    if (frame % 60 == 10) {
      platform::ScriptKey('C', true);
      platform::ScriptKey('L', true);
    }
    if (frame % 60 == 12) {
      platform::ScriptKey('L', false);
      platform::ScriptKey('C', false);
    }
    if (frame == frames) platform::ScriptKey(VK_ESCAPE, true);
  }
};

}  // namespace

int main(int argc, char** argv) {
  int frames = argc > 1 ? std::atoi(argv[1]) : 1200;
  if (frames < 10) frames = 10;
  Clock::time_point start = Clock::now();

  platform::SetAudioOutput(platform::AudioOutput::kSilent);
  platform::UseScriptedInput(true);
  g_window = KFactory::CreateWindowObject(0, false);
  if (!g_window || !g_window->CreateGameWindow(800, 600, 32, true, "Tundrel")) {
    std::fprintf(stderr, "game_bench: no game window (is there a display?)\n");
    return 1;
  }
  g_window->SetMaxFrameRate(0);
  platform::ScriptForeground(g_window->GetWindowHandle());
  LoadGlobalResources();

  ScriptedPlayer player{frames, {}};
  platform::SetInputPumpHook([&player] { player.OnFlip(); });
  int lives = 3;
  LevelAttempt attempt;
  if (!attempt.Setup(5, &lives)) {
    std::fprintf(stderr, "game_bench: level 5 is missing beside the program\n");
    return 1;
  }
  int result = attempt.Run();
  attempt.Teardown();
  platform::SetInputPumpHook(nullptr);

  std::vector<double> work;
  for (size_t i = 1; i < player.flips.size(); ++i)
    work.push_back(Milliseconds(player.flips[i] - player.flips[i - 1]));
  std::sort(work.begin(), work.end());
  std::printf("level 5: %d objects, %zu frames played (ended with state %d)\n",
              attempt.GetBrickCount(), player.flips.size(), result);
  std::printf("work per frame: median %.3f ms, worst %.3f ms\n", work[work.size() / 2],
              work.back());
  std::printf("start to first presented frame: %.1f ms\n",
              Milliseconds(player.flips.front() - start));
  delete g_window;
  g_window = nullptr;
  return 0;
}
