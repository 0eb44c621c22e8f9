// The full-screen pictures between the levels: the menu, and the finish and game-over screens.
// The player answers with a click, Escape, or by closing the window.
#pragma once

#include "ResourceSet.h"

// The mouse-button latches of the menu and of the end screens; a click counts when the button is
// released. They keep their value from one visit of a screen to the next.
extern bool g_menuClickLatch;
extern bool g_endClickLatch;

class MenuScreen {
 public:
  bool Load();
  // Returns STATE_CONTINUE (a click) or STATE_QUIT.
  int Run();
  void Unload() {}

 private:
  int state_ = 0;
  ResourceSet resources_;
};

class EndScreen {
 public:
  // lost: the game-over screen; otherwise the finish screen.
  bool Load(bool lost);
  // Returns STATE_CONTINUE (a click), STATE_TO_MENU (Escape) or STATE_QUIT.
  int Run();
  void Unload() {}

 private:
  int state_ = 0;
  ResourceSet resources_;
};

int RunMenuScreen();
int RunEndScreen(bool lost);
