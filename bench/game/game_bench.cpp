// The game's frame against SDL's renderer drawing the same frames, and the game's start against a
// bare SDL program's. Needs a display (run it under xvfb-run on a machine without one).
//
//   game_bench [FRAMES [ROUNDS]]      (defaults 1200 and 2)
//
// 1. A scripted player plays the full level for FRAMES frames while a spy on the pictures'
//    device records every picture drawn (frame_recorder.h).
// 2. ROUNDS times, the game plays the same frames again, and SDL's renderer draws the recorded
//    frames (sdl_replay.h) in turns with it, a block of frames each (taking_turns.h); each side's
//    round with the lower median counts. Neither side is paced: the game's frame limiter is off
//    (SetMaxFrameRate(0)), SDL has none, and the driver does not wait for the vertical blank
//    (vblank_mode=0), so a frame's time is its work.
// 3. Both sides once more, one after the other, timing the parts of each frame (part_clock.h).
// 4. The start to the first presented frame, phase by phase, in new processes
//    (start_comparison.h).
//
//   game_bench --start STARTED_AT     the game's start alone, for step 4 (game_start.h)
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "GlobalResources.h"
#include "KFactory.h"
#include "KGraphicDX.h"
#include "KWindow.h"
#include "frame_recorder.h"
#include "frame_stats.h"
#include "game_files.h"
#include "game_start.h"
#include "part_timer.h"
#include "platform/directsound.h"
#include "platform/input_seams.h"
#include "sdl_replay.h"
#include "start_comparison.h"
#include "taking_turns.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kStartRounds = 3;

IDirectDrawSurface7* SurfaceOf(int image) {
  return static_cast<KGraphicDX*>(g_resources.GetImage(image))->Surface();
}

bool OpenGameWindow() {
  g_window = KFactory::CreateWindowObject(0, false);
  if (!g_window || !g_window->CreateGameWindow(kWidth, kHeight, 32, true, "Tundrel")) {
    std::fprintf(stderr, "game_bench: no game window (is there a display?)\n");
    return false;
  }
  g_window->SetMaxFrameRate(0);
  platform::ScriptForeground(g_window->GetWindowHandle());
  LoadGlobalResources();
  if (!GameLoadsTheseFiles())
    std::fprintf(stderr, "game_bench: the game's files differ from game_files.h\n");
  return true;
}

bool Record(int frames, RecordedFrames* recorded) {
  FrameRecorder recorder(SurfaceOf(IMAGE_BACKGROUND), SurfaceOf(IMAGE_SPRITES));
  LevelPlay play;
  {
    SpyOnPictures spy(&recorder);
    if (!PlayLevel(frames, &recorder, &play)) {
      std::fprintf(stderr, "game_bench: level %d is missing beside the program\n", kBenchLevel);
      return false;
    }
  }
  *recorded = recorder.Take();
  size_t draws = 0;
  for (const std::vector<SpriteDraw>& frame : recorded->frames) draws += frame.size();
  std::printf("level %d: %d objects, %zu frames recorded, %.1f pictures drawn a frame", kBenchLevel,
              play.objects, recorded->frames.size(), double(draws) / recorded->frames.size());
  std::printf(" (%d draws not recorded)\n", recorded->skippedDraws);
  return true;
}

FrameStats Better(const FrameStats& a, const FrameStats& b) {
  return a.frames > 0 && (b.frames == 0 || a.median <= b.median) ? a : b;
}

void PrintStats(const char* side, const FrameStats& stats) {
  std::printf("%-22s %9.3f %9.3f %9.3f %8zu\n", side, stats.median, stats.percentile99, stats.worst,
              stats.frames);
}

bool CompareFrames(int frames, int rounds, const RecordedFrames& recorded) {
  FrameStats game, sdl;
  std::vector<double> gameProcessor, sdlProcessor;
  for (int round = 0; round < rounds; ++round) {
    SdlReplay replay;
    if (!replay.Open(recorded, kWidth, kHeight)) return false;
    TakingTurns turns(&replay, recorded.frames.size());
    LevelPlay play;
    PlayLevel(frames, &turns, &play);
    game = Better(game, StatsOf(GameFrameTimes(play)));
    sdl = Better(sdl, StatsOf(turns.SdlFrameTimes()));
    gameProcessor.push_back(turns.GameProcessorTime());
    sdlProcessor.push_back(turns.SdlProcessorTime());
  }
  std::printf(
      "\nframe time after the first second, in turns of %zu frames, round with the lower "
      "median of %d (ms)\n",
      TakingTurns::kBlockFrames, rounds);
  std::printf("%-22s %9s %9s %9s %8s\n", "side", "median", "99th", "worst", "frames");
  PrintStats("game (DirectX)", game);
  PrintStats("SDL renderer", sdl);
  std::printf("SDL/game medians %.2f; game 99th/median %.2f\n", sdl.median / game.median,
              game.percentile99 / game.median);
  std::printf(
      "drawing thread's processor time a frame, median of the rounds: game %.3f ms, "
      "SDL %.3f ms\n",
      Percentile(gameProcessor, 0.5), Percentile(sdlProcessor, 0.5));
  return true;
}

bool CompareParts(int frames, const RecordedFrames& recorded) {
  PartTimer timer(recorded);
  {
    SpyOnPictures spy(&timer);
    LevelPlay play;
    PlayLevel(frames, &timer, &play);
  }
  PartClock sdlParts;
  {
    SdlReplay replay;
    if (!replay.Open(recorded, kWidth, kHeight)) return false;
    replay.Play(&sdlParts);
  }
  std::printf("\nwhere a frame's time goes, each part rasterised before the next, mean (ms)\n");
  std::printf("%-22s %9s %9s\n", "part", "game", "SDL");
  PartClock::PartTimes game = timer.Parts().Means(), sdl = sdlParts.Means();
  for (size_t part = 0; part < kFrameParts; ++part)
    std::printf("%-22s %9.3f %9.3f\n", kFramePartNames[part], game[part], sdl[part]);
  std::printf("%-22s %9.3f %9.3f\n", "whole frame", timer.Parts().MeanFrame(),
              sdlParts.MeanFrame());
  if (timer.MismatchedFrames() > 0)
    std::printf("(%d frames of the game drew otherwise than recorded: left out)\n",
                timer.MismatchedFrames());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--start") == 0) return RunGameStart(argv[2]);
  int frames = argc > 1 ? std::atoi(argv[1]) : 1200;
  int rounds = argc > 2 ? std::atoi(argv[2]) : 2;
  if (frames < 10 || rounds < 1) {
    std::fprintf(stderr, "usage: game_bench [FRAMES (10 or more) [ROUNDS]]\n");
    return 2;
  }
  setenv("vblank_mode", "0", 0);
  platform::SetAudioOutput(platform::AudioOutput::kSilent);
  platform::UseScriptedInput(true);
  if (!OpenGameWindow()) return 1;
  RecordedFrames recorded;
  bool measured = Record(frames, &recorded) && CompareFrames(frames, rounds, recorded) &&
                  CompareParts(frames, recorded);
  delete g_window;
  g_window = nullptr;
  return measured && CompareStarts(kStartRounds) ? 0 : 1;
}
