// Splits frames into their parts by the clock, for the benchmark's account of where a frame's
// time goes. Rasterising runs behind the drawing calls, so the side that times its parts waits
// for the rasteriser (FinishGpuWork) at each change of part: each part then carries its own
// rasterising, and the parts add up to more than an undisturbed frame.
#pragma once

#include <array>
#include <vector>

#include "level_play.h"
#include "recorded_frames.h"

class PartClock {
 public:
  using PartTimes = std::array<double, kFrameParts>;

  FramePart Part() const { return part_; }
  // Ends the running part and starts `part`, now.
  void Enter(FramePart part);
  // Ends the frame now and starts the next one in its first part. A frame that is not kept is
  // left out of the means, and so is the first, which did not start at the end of another.
  void EndFrame(bool kept);
  // The mean time of each part over the kept frames after the first second, and their sum.
  PartTimes Means() const;
  double MeanFrame() const;

 private:
  struct Frame {
    PartTimes parts;
    bool kept;
  };

  bool started_ = false;
  bool ended_ = false;  // a frame has ended: the next one is whole
  Clock::time_point partStart_;
  FramePart part_ = FramePart::kInputAndUpdate;
  PartTimes frame_{};
  std::vector<Frame> frames_;
};

// Waits until the rasteriser of the current OpenGL context has drawn what it was handed.
void FinishGpuWork();
