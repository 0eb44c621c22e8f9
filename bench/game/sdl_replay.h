// Draws recorded frames through SDL's renderer (its OpenGL driver, draws batched as SDL batches
// them by default) in a window of its own: the same textures, rectangles, turns, colours, blend
// factors and filtering, and a present and the window's events after each frame.
#pragma once

#include <SDL.h>

#include <vector>

#include "level_play.h"
#include "part_clock.h"
#include "recorded_frames.h"

class SdlReplay {
 public:
  SdlReplay() = default;
  ~SdlReplay();
  SdlReplay(const SdlReplay&) = delete;
  SdlReplay& operator=(const SdlReplay&) = delete;

  // The window (hidden), the renderer and a texture for each recorded one; false (with a message)
  // when one of them can't be made.
  bool Open(const RecordedFrames& recorded, int width, int height);
  void Show() { SDL_ShowWindow(window_); }
  void Hide() { SDL_HideWindow(window_); }
  // Draws and presents the recorded frame and handles the window's events; returns the
  // milliseconds that took. With a clock, the frame's parts are timed, each rasterised before the
  // next begins.
  double DrawFrame(size_t frame, PartClock* clock);
  // Shows the window and draws each recorded frame once, in order; returns their times.
  std::vector<double> Play(PartClock* clock);

 private:
  void Draw(const SpriteDraw& draw);
  void FinishAndEnter(PartClock* clock, FramePart part);

  const RecordedFrames* recorded_ = nullptr;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  std::vector<SDL_Texture*> textures_;
};
