#include "game_files.h"

#include <algorithm>
#include <stdexcept>

#include "GlobalResources.h"

bool GameLoadsTheseFiles() {
  for (size_t i = 0; i < kGamePictures.size(); ++i)
    if (g_resources.GetImageIndex(kGamePictures[i].name) != int(i)) return false;
  for (size_t i = 0; i < kGameSounds.size(); ++i)
    if (g_resources.GetSoundIndex(kGameSounds[i]) != int(i)) return false;
  try {
    g_resources.GetImage(int(kGamePictures.size()));
    return false;
  } catch (const std::out_of_range&) {
  }
  try {
    g_resources.GetSound(int(kGameSounds.size()));
    return false;
  } catch (const std::out_of_range&) {
  }
  return true;
}

std::string WithSlashes(const char* name) {
  std::string slashed = name;
  std::replace(slashed.begin(), slashed.end(), '\\', '/');
  return slashed;
}
