#include "Screens.h"

#include "GameState.h"
#include "GameTools.h"
#include "GlobalResources.h"
#include "KGraphic.h"
#include "KInput.h"
#include "KWindow.h"
#include "PressedKey.h"

bool g_menuClickLatch = false;
bool g_endClickLatch = false;

namespace {

// One visit of a screen: its frame loop until a click, Escape or a close request gives its result.
int RunScreenLoop(int state, ResourceSet& resources, bool& clickLatch, int escapeState,
                  std::initializer_list<int> finalStates) {
  // Escape that ended the previous screen may still be held: only a fresh press counts here.
  PressedKey escape(K_KEY_ESCAPE);
  for (;;) {
    KGraphic* background = resources.GetImage(0);
    BeginFrameOver(g_window, background);
    if (KInput::IsKeyDown(K_KEY_F)) UpdateFps(g_window, &g_fps, true, 5, 500);
    if (KInput::IsLeftButtonDown()) {
      clickLatch = true;
    } else if (clickLatch) {
      clickLatch = false;
      state = STATE_CONTINUE;
    }
    if (escape.IsDown()) state = escapeState;
    if (g_window->IsQuit()) state = STATE_QUIT;
    // Without a picture of this renderer the screen stays blank but still answers.
    if (background) {
      background->BlitRect(0.0f, 0.0f, 800.0f, 640.0f, 0, 0, false, false);
    }
    g_window->FlipBackBuffer(true, true);
    for (int finalState : finalStates)
      if (state == finalState) return state;
  }
}

}  // namespace

bool MenuScreen::Load() {
  state_ = STATE_RUNNING;
  resources_.AddImage("img\\bg\\menu.jpg", false);
  return true;
}

int MenuScreen::Run() {
  state_ =
      RunScreenLoop(state_, resources_, g_menuClickLatch, STATE_QUIT, {STATE_CONTINUE, STATE_QUIT});
  return state_;
}

bool EndScreen::Load(bool lost) {
  state_ = STATE_START;
  resources_.AddImage(lost ? "img\\bg\\gameover.jpg" : "img\\bg\\finish.jpg", false);
  return true;
}

int EndScreen::Run() {
  state_ = RunScreenLoop(state_, resources_, g_endClickLatch, STATE_TO_MENU,
                         {STATE_CONTINUE, STATE_TO_MENU, STATE_QUIT});
  return state_;
}

int RunMenuScreen() {
  MenuScreen screen;
  int state = screen.Load() ? screen.Run() : STATE_QUIT;
  screen.Unload();
  return state;
}

int RunEndScreen(bool lost) {
  EndScreen screen;
  int state = screen.Load(lost) ? screen.Run() : STATE_TO_MENU;
  screen.Unload();
  return state;
}
