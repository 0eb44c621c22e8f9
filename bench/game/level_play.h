// Plays the benchmark's level with a scripted player: the full level (70 objects), the paddle
// swept to and fro, the ball launched after 300 frames (so that the level's message shows, fades
// in and out as when a level starts), an extra life now and then so that lost balls
// don't end the level early, and Escape after the last frame. Every play of the same length
// draws the same frames: the random numbers start from the same seed and no key is left held.
#pragma once

#include <chrono>
#include <vector>

class LevelAttempt;

using Clock = std::chrono::steady_clock;

constexpr int kBenchLevel = 5;

// Told of the level's set-up and of each frame's flip.
class PlayListener {
 public:
  virtual ~PlayListener() = default;
  // The level is set up; its first frame follows.
  virtual void OnSetUp(const LevelAttempt& attempt) = 0;
  // A frame was presented; called once a frame, when the flip looks for messages.
  virtual void OnFlip() = 0;
};

struct LevelPlay {
  // When each frame was presented, the first one included, and when the game went on after the
  // listener had been told: the time between is not the game's.
  std::vector<Clock::time_point> flips;
  std::vector<Clock::time_point> resumes;
  int objects = 0;
  int endState = 0;
};

// Plays `frames` frames (and the one in which Escape is seen) in g_window, which the global
// resources are loaded for; false when the level's file is missing.
bool PlayLevel(int frames, PlayListener* listener, LevelPlay* play);

// The time of each frame but the first: from the game's going on after the previous flip to
// the frame's flip.
std::vector<double> GameFrameTimes(const LevelPlay& play);

double Milliseconds(Clock::duration duration);
