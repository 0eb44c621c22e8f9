// Records the frames of a play of the level as pictures drawn, through a spy on the pictures'
// device: each textured rectangle with where it lands on the screen, and a copy of each texture
// the first time it is drawn. Draws are sorted into the frame's parts by their texture: the
// level background, the sprite sheet (first the objects, the ball and the paddle, then the lives
// and the gift counter) and any other texture, the font's.
#pragma once

#include <map>

#include "device_spy.h"
#include "level_play.h"
#include "recorded_frames.h"

class FrameRecorder final : public DrawObserver, public PlayListener {
 public:
  FrameRecorder(IDirectDrawSurface7* background, IDirectDrawSurface7* spriteSheet);

  void OnSetUp(const LevelAttempt& attempt) override { attempt_ = &attempt; }
  void OnFlip() override;
  void BeforeDraw(const DrawCall& call) override;

  // The frames presented so far.
  RecordedFrames Take();

 private:
  FramePart PartOf(IDirectDrawSurface7* texture);
  int TextureIndex(IDirectDrawSurface7* texture);

  IDirectDrawSurface7* background_;
  IDirectDrawSurface7* spriteSheet_;
  const LevelAttempt* attempt_ = nullptr;
  std::map<IDirectDrawSurface7*, int> textureIndices_;
  RecordedFrames recording_;
  std::vector<SpriteDraw> frame_;
  // Sprite-sheet draws of the objects, the ball and the paddle in this frame; -1 before the
  // frame's first draw.
  int objectDraws_ = -1;
  int sheetDraws_ = 0;
};
