// What the program keeps for its whole run: the game window and the pictures and sounds that every
// level shares, at fixed indices given by their order of loading.
#pragma once

#include "ResourceSet.h"

class KWindow;

enum ImageId { IMAGE_BACKGROUND = 0, IMAGE_SPRITES = 1 };

enum SoundId {
  SOUND_BALL_PADDLE = 0,
  SOUND_PRESENT_PADDLE = 1,
  SOUND_BALL_BRICK = 2,
  SOUND_SNOWBALL_PADDLE = 3,
  SOUND_CHIMNEY_PADDLE = 4,
};

extern KWindow* g_window;
extern ResourceSet g_resources;

void LoadGlobalResources();
