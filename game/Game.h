// The game's spine: the program entry and the state machine that leads from the menu into a game
// of consecutive levels and out to the finish or game-over screen, until the player quits.
#pragma once

#include "platform/win32_types.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, char* commandLine, int show);

// One pass from the menu; returns the last state code (STATE_QUIT ends the program).
int RunGameStep();
// One game, level after level, from level 1 with 3 lives.
int PlayGame();
