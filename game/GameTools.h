// Small utilities of the screens and the level: the frame rate in the window title, random
// numbers, a file test.
#pragma once

#include <cstdint>

class KGraphic;
class KWindow;

// The last measured frame rate.
extern int g_fps;

// Counts a frame; once a second stores the rate in *fps (held to min..max) and, if asked, shows
// it in the window's title.
void UpdateFps(KWindow* window, int* fps, bool showInTitle, int min, int max);
// The smoothed time of a frame in milliseconds.
uint32_t UpdateFrameTime(KWindow* window, bool showInTitle);

// Starts a frame's drawing in the window's default world view. Without a loaded background
// (null, or a picture that holds none) nothing would paint over the previous frame, so the frame
// is cleared first.
void BeginFrameOver(KWindow* window, KGraphic* background);

// The game's own generator of random numbers 0 to 32767, seeded once at start.
void SeedRandom(unsigned int seed);
int Random15();
// base + Random15() x range / 32768: base to base + range - 1 for a positive range.
int RandomRange(int base, int range);

// True when the file, named relative to the program's folder, is a regular file that can be opened
// for reading; otherwise why not is noted as a load failure.
bool FileExists(const char* path);
bool ArrayContains(const int* values, int value, int count);
