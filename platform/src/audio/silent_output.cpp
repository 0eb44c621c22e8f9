#include <chrono>
#include <condition_variable>
#include <thread>
#include <vector>

#include "audio/output_stream.h"

namespace platform::audio {

namespace {

class SilentOutput final : public OutputStream {
 public:
  explicit SilentOutput(std::shared_ptr<Mixer> mixer)
      : mixer_(std::move(mixer)), scratch_(2 * Mixer::kBlockFrames), thread_([this] { Run(); }) {}

  ~SilentOutput() override {
    {
      std::lock_guard<std::mutex> hold(lock_);
      stop_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

 private:
  using Clock = std::chrono::steady_clock;
  static constexpr auto kPeriod = std::chrono::milliseconds(10);

  // Mixes as many frames as real time has made due since the start.
  void Run() {
    const Clock::time_point start = Clock::now();
    uint64_t framesMixed = 0;
    std::unique_lock<std::mutex> hold(lock_);
    while (!wake_.wait_for(hold, kPeriod, [this] { return stop_; })) {
      const auto elapsed =
          std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
      const uint64_t due = uint64_t(elapsed.count()) * mixer_->OutputRate() / 1000000;
      while (framesMixed < due) {
        const auto frames = uint32_t(std::min<uint64_t>(due - framesMixed, Mixer::kBlockFrames));
        mixer_->Render(scratch_.data(), frames);
        framesMixed += frames;
      }
    }
  }

  std::shared_ptr<Mixer> mixer_;
  std::vector<int16_t> scratch_;
  std::mutex lock_;
  std::condition_variable wake_;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<OutputStream> OpenSilentOutput(std::shared_ptr<Mixer> mixer) {
  return std::make_unique<SilentOutput>(std::move(mixer));
}

}  // namespace platform::audio
