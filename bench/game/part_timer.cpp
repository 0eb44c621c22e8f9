#include "part_timer.h"

const std::vector<SpriteDraw>* PartTimer::RecordedFrame() const {
  return frame_ < recorded_.frames.size() ? &recorded_.frames[frame_] : nullptr;
}

void PartTimer::FinishAndEnter(FramePart part) {
  if (device_) {
    device_->EndScene();
    device_->BeginScene();
  }
  FinishGpuWork();
  clock_.Enter(part);
}

void PartTimer::BeforeDraw(const DrawCall& call) {
  device_ = call.device;
  const std::vector<SpriteDraw>* frame = RecordedFrame();
  if (!frame || draws_ >= frame->size()) return;
  FramePart part = (*frame)[draws_].part;
  if (part != clock_.Part()) FinishAndEnter(part);
}

void PartTimer::AfterDraw() {
  const std::vector<SpriteDraw>* frame = RecordedFrame();
  if (frame && ++draws_ == frame->size()) FinishAndEnter(FramePart::kFlipAndPresent);
}

void PartTimer::OnFlip() {
  const std::vector<SpriteDraw>* frame = RecordedFrame();
  bool asRecorded = frame && draws_ == frame->size();
  if (!asRecorded) ++mismatched_;
  clock_.EndFrame(asRecorded);
  ++frame_;
  draws_ = 0;
}
