#include <SDL.h>

#include "audio/alsa_messages.h"
#include "audio/output_stream.h"

namespace platform::audio {

namespace {

class SdlOutput final : public OutputStream {
 public:
  explicit SdlOutput(std::shared_ptr<Mixer> mixer) : mixer_(std::move(mixer)) {}
  ~SdlOutput() override {
    if (device_ != 0) SDL_CloseAudioDevice(device_);
    if (started_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }

  bool Open() {
    started_ = SDL_InitSubSystem(SDL_INIT_AUDIO) == 0;
    if (!started_) return false;
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

  // The audio library's own messages stay quiet for as long as SDL's audio runs: the device probe
  // has nothing to tell the player when it fails (the program then plays silently).
  AlsaMessagesSilenced alsaMessages_;
  std::shared_ptr<Mixer> mixer_;
  bool started_ = false;
  SDL_AudioDeviceID device_ = 0;
};

}  // namespace

std::unique_ptr<OutputStream> OpenDeviceOutput(std::shared_ptr<Mixer> mixer) {
  auto output = std::make_unique<SdlOutput>(std::move(mixer));
  if (!output->Open()) return nullptr;
  return output;
}

}  // namespace platform::audio
