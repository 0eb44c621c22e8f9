// The game and SDL's renderer take turns: after every block of frames the game presents, SDL's
// renderer draws the same recorded frames in its own window, shown for that time. Both sides
// then draw under the same load of a shared machine, and neither window covers the other while
// it draws. Beside the frame times, the drawing thread's processor time is kept for each side,
// which other work on the machine changes less than the time on the clock.
#pragma once

#include "level_play.h"
#include "sdl_replay.h"

class TakingTurns final : public PlayListener {
 public:
  static constexpr size_t kBlockFrames = 60;

  TakingTurns(SdlReplay* replay, size_t recordedFrames)
      : replay_(replay), recordedFrames_(recordedFrames) {}

  void OnSetUp(const LevelAttempt&) override {}
  void OnFlip() override;

  const std::vector<double>& SdlFrameTimes() const { return sdlFrameTimes_; }
  // Milliseconds of the thread's processor time per frame, over the frames after the first.
  double GameProcessorTime() const { return gameProcessor_ / double(gameFrames_); }
  double SdlProcessorTime() const { return sdlProcessor_ / double(sdlFrameTimes_.size()); }

 private:
  SdlReplay* replay_;
  size_t recordedFrames_;
  size_t presented_ = 0;
  std::vector<double> sdlFrameTimes_;
  double gameProcessor_ = 0, sdlProcessor_ = 0;
  size_t gameFrames_ = 0;
  double resumed_ = -1;  // the thread's processor time when the game went on
};

// Milliseconds of processor time the calling thread has taken.
double ThreadProcessorTime();
