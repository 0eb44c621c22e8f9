#include "Game.h"

#include <ctime>

#include "GameState.h"
#include "GameTools.h"
#include "GlobalResources.h"
#include "KFactory.h"
#include "KInput.h"
#include "KWindow.h"
#include "LevelAttempt.h"
#include "Screens.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, char*, int) {
  g_window = KFactory::CreateWindowObject(0, false);
  if (!g_window) return 0;
  g_window->SetMaxFrameRate(60);
  if (!g_window->CreateGameWindow(800, 600, 32, true, "Tundrel")) {
    delete g_window;
    g_window = nullptr;
    return 0;
  }
  SeedRandom(static_cast<unsigned int>(std::time(nullptr)));
  LoadGlobalResources();
  while (RunGameStep() != STATE_QUIT) {
  }
  delete g_window;
  g_window = nullptr;
  return 0;
}

int RunGameStep() {
  int state = RunMenuScreen();
  if (state != STATE_CONTINUE) return state;
  state = PlayGame();
  if (state == STATE_FINISHED) state = RunEndScreen(false);
  if (state == STATE_GAME_OVER) state = RunEndScreen(true);
  return state;
}

int PlayGame() {
  int level = 1;
  int lives = 3;
  KInput::ClipMouse(true);
  KInput::HideMouse();
  int state;
  for (;;) {
    LevelAttempt attempt;
    if (attempt.Setup(level, &lives)) {
      state = attempt.Run();
      attempt.Teardown();
      if (state == STATE_CONTINUE) ++level;
    } else {
      state = STATE_FINISHED;
    }
    if (state == STATE_FINISHED || state == STATE_GAME_OVER || state == STATE_TO_MENU ||
        state == STATE_QUIT) {
      break;
    }
  }
  KInput::ClipMouse(false);
  KInput::ShowMouse();
  return state;
}
