#include <SDL.h>

#include "audio/output_stream.h"

namespace platform::audio {

namespace {

class SdlOutput final : public OutputStream {
 public:
  explicit SdlOutput(std::shared_ptr<Mixer> mixer) : mixer_(std::move(mixer)) {}
  ~SdlOutput() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool Open() {
    SDL_AudioSpec wanted{};
    wanted.freq = int(mixer_->OutputRate());
    wanted.format = AUDIO_S16SYS;
    wanted.channels = 2;
    wanted.samples = Mixer::kBlockFrames;
    wanted.callback = Pull;
    wanted.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the device wants.
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (device_ == 0) return false;
    SDL_PauseAudioDevice(device_, 0);
    return true;
  }

 private:
  static void Pull(void* self, Uint8* stream, int length) {
    static_cast<SdlOutput*>(self)->mixer_->Render(reinterpret_cast<int16_t*>(stream),
                                                  uint32_t(length) / 4);
  }

  std::shared_ptr<Mixer> mixer_;
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace

std::unique_ptr<OutputStream> OpenDeviceOutput(std::shared_ptr<Mixer> mixer) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
  auto output = std::make_unique<SdlOutput>(std::move(mixer));
  if (!output->Open()) return nullptr;
  return output;
}

}  // namespace platform::audio
