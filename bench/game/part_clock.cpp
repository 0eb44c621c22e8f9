#include "part_clock.h"

#include <SDL.h>

#include <numeric>

#include "frame_stats.h"

void PartClock::Enter(FramePart part) {
  Clock::time_point now = Clock::now();
  if (started_) frame_[size_t(part_)] += Milliseconds(now - partStart_);
  started_ = true;
  partStart_ = now;
  part_ = part;
}

void PartClock::EndFrame(bool kept) {
  Enter(FramePart::kInputAndUpdate);
  frames_.push_back({frame_, kept && ended_});
  ended_ = true;
  frame_ = {};
}

PartClock::PartTimes PartClock::Means() const {
  std::vector<double> totals;
  for (const Frame& frame : frames_)
    totals.push_back(std::accumulate(frame.parts.begin(), frame.parts.end(), 0.0));
  PartTimes sums{};
  size_t counted = 0;
  for (size_t i = FirstSettledFrame(totals); i < frames_.size(); ++i) {
    if (!frames_[i].kept) continue;
    ++counted;
    for (size_t part = 0; part < kFrameParts; ++part) sums[part] += frames_[i].parts[part];
  }
  for (double& sum : sums) sum = counted > 0 ? sum / double(counted) : 0.0;
  return sums;
}

double PartClock::MeanFrame() const {
  PartTimes means = Means();
  return std::accumulate(means.begin(), means.end(), 0.0);
}

void FinishGpuWork() {
  using Finish = void (*)();
  static auto finish = reinterpret_cast<Finish>(SDL_GL_GetProcAddress("glFinish"));
  if (finish) finish();
}
