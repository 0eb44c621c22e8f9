// The game's start, phase by phase, as a program started by the start comparison runs it: SDL
// and audio, the window, its device and context, the global pictures and sounds, the level's font
// and objects, and the level's first presented frame. Prints the phases (phase_log.h).
#pragma once

int RunGameStart(const char* startedAt);
