#include "frame_stats.h"

#include <algorithm>
#include <cmath>

size_t FirstSettledFrame(const std::vector<double>& frameTimes) {
  double elapsed = 0;
  size_t first = 0;
  while (first < frameTimes.size() && elapsed < kSettlingMilliseconds)
    elapsed += frameTimes[first++];
  return first;
}

double Percentile(std::vector<double> values, double share) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  size_t rank = size_t(std::ceil(share * double(values.size())));
  return values[std::clamp<size_t>(rank, 1, values.size()) - 1];
}

FrameStats StatsOf(const std::vector<double>& frameTimes) {
  std::vector<double> settled(frameTimes.begin() + long(FirstSettledFrame(frameTimes)),
                              frameTimes.end());
  if (settled.empty()) return {};
  return {Percentile(settled, 0.5), Percentile(settled, 0.99),
          *std::max_element(settled.begin(), settled.end()), settled.size()};
}
