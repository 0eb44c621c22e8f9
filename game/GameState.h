// The codes by which the game's screens and level attempts report how they ended; the state
// machine chooses the next screen from them.
#pragma once

typedef int GameState;
enum : int {
  STATE_RUNNING = 70,
  STATE_CONTINUE = 72,
  STATE_RETRY = 73,
  STATE_FINISHED = 74,
  STATE_GAME_OVER = 75,
  STATE_TO_MENU = 76,
  STATE_LEVEL_OVER = 201,
  STATE_START = 202,
  STATE_QUIT = 322,
};
