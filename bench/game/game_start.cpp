#include "game_start.h"

#include <SDL.h>

#include "GlobalResources.h"
#include "KFactory.h"
#include "KWindow.h"
#include "LevelAttempt.h"
#include "game_files.h"
#include "level_play.h"
#include "phase_log.h"
#include "platform/input_seams.h"
#include "platform/win32.h"

namespace {

PhaseLog* g_log = nullptr;

// The window's first paint, at the end of its creation, before its device and context are made.
bool EndWindowPhase(HWND, UINT message, WPARAM, LPARAM) {
  if (message == WM_PAINT && g_log) {
    g_log->End("window");
    g_log = nullptr;
  }
  return true;
}

}  // namespace

int RunGameStart(const char* startedAt) {
  PhaseLog log(startedAt);
  platform::UseScriptedInput(true);
  // The platform starts SDL's video with the first question about the screen, as the window's
  // creation asks one; the audio subsystem is the one the first sound would start.
  GetSystemMetrics(SM_CXSCREEN);
  SDL_InitSubSystem(SDL_INIT_AUDIO);
  log.End("SDL and audio start");

  g_window = KFactory::CreateWindowObject(0, false);
  g_window->SetMaxFrameRate(60);
  g_window->SetMessageCallback(EndWindowPhase);
  g_log = &log;
  bool created = g_window->CreateGameWindow(800, 600, 32, true, "Tundrel");
  g_window->SetMessageCallback(nullptr);
  if (!created || g_log) return 1;
  log.End("device and context");
  platform::ScriptForeground(g_window->GetWindowHandle());

  for (const GamePicture& picture : kGamePictures)
    g_resources.AddImage(picture.name, picture.smooth);
  log.End("pictures");
  for (const char* sound : kGameSounds) g_resources.AddSound(sound);
  log.End("sounds");

  int lives = 3;
  LevelAttempt attempt;
  if (!attempt.Setup(kBenchLevel, &lives)) return 1;
  log.End("font and level");
  bool presented = false;
  platform::SetInputPumpHook([&log, &presented] {
    if (presented) return;
    presented = true;
    log.End("first frame");
    platform::ScriptKey(VK_ESCAPE, true);
  });
  attempt.Run();
  platform::SetInputPumpHook(nullptr);
  attempt.Teardown();
  g_resources.ClearImages();
  g_resources.ClearSounds();
  delete g_window;
  g_window = nullptr;
  return 0;
}
