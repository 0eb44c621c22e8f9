// Times the parts of the game's frames while it plays the recorded frames again: the spy on the
// pictures' device tells it each draw, and the recording which part the draw belongs to and
// which draw ends a frame's drawing. Frames that do not draw as recorded are left out.
#pragma once

#include "device_spy.h"
#include "level_play.h"
#include "part_clock.h"

class PartTimer final : public DrawObserver, public PlayListener {
 public:
  explicit PartTimer(const RecordedFrames& recorded) : recorded_(recorded) {}

  void OnSetUp(const LevelAttempt&) override {}
  void OnFlip() override;
  void BeforeDraw(const DrawCall& call) override;
  void AfterDraw() override;

  const PartClock& Parts() const { return clock_; }
  int MismatchedFrames() const { return mismatched_; }

 private:
  // The recorded draws of the frame being drawn; null past the recording.
  const std::vector<SpriteDraw>* RecordedFrame() const;
  // Sends the device's waiting draws, waits for them and starts the part.
  void FinishAndEnter(FramePart part);

  const RecordedFrames& recorded_;
  PartClock clock_;
  IDirect3DDevice7* device_ = nullptr;
  size_t frame_ = 0;
  size_t draws_ = 0;
  int mismatched_ = 0;
};
