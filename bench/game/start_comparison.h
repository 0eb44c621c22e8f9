// The start to the first presented frame, phase by phase: the game's start (this program started
// again with --start, game_start.h) and the bare SDL program (sdl_start_bench) take turns, each in
// a new process, and the median of each phase is printed side by side.
#pragma once

// false when a program could not be run or reported no phases.
bool CompareStarts(int rounds);
