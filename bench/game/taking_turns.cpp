#include "taking_turns.h"

#include <ctime>

double ThreadProcessorTime() {
  timespec time{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
  return double(time.tv_sec) * 1e3 + double(time.tv_nsec) / 1e6;
}

void TakingTurns::OnFlip() {
  ++presented_;
  double now = ThreadProcessorTime();
  if (resumed_ >= 0) {
    gameProcessor_ += now - resumed_;
    ++gameFrames_;
  }
  if (presented_ % kBlockFrames == 0) {
    replay_->Show();
    double start = ThreadProcessorTime();
    for (size_t frame = presented_ - kBlockFrames; frame < presented_ && frame < recordedFrames_;
         ++frame) {
      sdlFrameTimes_.push_back(replay_->DrawFrame(frame, nullptr));
    }
    sdlProcessor_ += ThreadProcessorTime() - start;
    replay_->Hide();
  }
  resumed_ = ThreadProcessorTime();
}
