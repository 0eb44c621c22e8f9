// The pictures and sounds the game loads at its start, named as LoadGlobalResources names them
// (relative to the program's folder, with backslashes), in the order it loads them.
#pragma once

#include <array>
#include <string>

struct GamePicture {
  const char* name;
  bool smooth;
};
inline constexpr std::array<GamePicture, 2> kGamePictures = {
    GamePicture{"img\\bg\\nivra_hills1.jpg", false}, GamePicture{"img\\spr\\plasko.png", true}};
inline constexpr std::array<const char*, 5> kGameSounds = {
    "snd\\sfx\\ball_paddle.wav", "snd\\sfx\\present_paddle.ogg", "snd\\sfx\\ball_brick.wav",
    "snd\\sfx\\snowball_paddle.wav", "snd\\sfx\\chimney_paddle.wav"};

// Whether the global resource set, after LoadGlobalResources, holds exactly these files.
bool GameLoadsTheseFiles();

// A name of the lists with forward slashes.
std::string WithSlashes(const char* name);
