// Frame times summed up: median, 99th percentile and worst over the frames after the first
// second (which builds the rasteriser's shaders and fills the caches).
#pragma once

#include <cstddef>
#include <vector>

constexpr double kSettlingMilliseconds = 1000;

struct FrameStats {
  double median = 0;
  double percentile99 = 0;
  double worst = 0;
  size_t frames = 0;
};

// The index of the first frame that starts after the frames before it took a second.
size_t FirstSettledFrame(const std::vector<double>& frameTimes);
// Of the settled frames; zeros when there are none.
FrameStats StatsOf(const std::vector<double>& frameTimes);
// The value below which the given share of the values lies (nearest rank); 0 for no values.
double Percentile(std::vector<double> values, double share);
