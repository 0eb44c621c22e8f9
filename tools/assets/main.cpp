// Writes the game's pictures and sounds into the folder the game runs from:
//   asset_generator <output folder> <TrueType font for the screen texts>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "audio_files.h"
#include "backgrounds.h"
#include "image_files.h"
#include "sounds.h"
#include "sprites.h"
#include "text.h"

namespace {

void Generate(const std::filesystem::path& out, const std::string& fontPath) {
  const auto backgrounds = out / "img" / "bg";
  const auto sprites = out / "img" / "spr";
  const auto effects = out / "snd" / "sfx";
  for (const auto& folder : {backgrounds, sprites, effects}) {
    std::filesystem::create_directories(folder);
  }

  TextPainter text(fontPath);
  WriteJpeg(backgrounds / "nivra_hills1.jpg", PaintLevelBackground());
  WriteJpeg(backgrounds / "menu.jpg", PaintMenuBackground(text));
  WriteJpeg(backgrounds / "finish.jpg", PaintFinishBackground(text));
  WriteJpeg(backgrounds / "gameover.jpg", PaintGameOverBackground(text));
  WritePng(sprites / "plasko.png", PaintSpriteSheet());

  WriteWav(effects / "ball_paddle.wav", SynthesiseBallOnPaddle());
  WriteOggVorbis(effects / "present_paddle.ogg", SynthesiseGiftCaught());
  WriteWav(effects / "ball_brick.wav", SynthesiseBallOnObject());
  WriteWav(effects / "snowball_paddle.wav", SynthesiseSnowballCaught());
  WriteWav(effects / "chimney_paddle.wav", SynthesiseChimneyCaught());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <output folder> <font file>\n", argv[0]);
    return 2;
  }
  try {
    Generate(argv[1], argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "asset_generator: %s\n", error.what());
    return 1;
  }
  return 0;
}
