#include <atomic>
#include <cstring>

#include "audio/audio_registry.h"
#include "audio/output_stream.h"
#include "audio/sound_buffer.h"
#include "platform/directsound.h"

namespace platform::audio {

namespace {

class DirectSound final : public IDirectSound {
 public:
  DirectSound(std::shared_ptr<Mixer> mixer, std::unique_ptr<OutputStream> output)
      : mixer_(std::move(mixer)), output_(std::move(output)) {}

  HRESULT QueryInterface(REFIID, void** object) override {
    if (object) *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                            LPUNKNOWN outer) override {
    if (!description || !buffer || outer) return DSERR_INVALIDPARAM;
    HRESULT result;
    *buffer = SoundBuffer::Create(mixer_, *description, result);
    return result;
  }

  HRESULT GetCaps(LPDSCAPS caps) override {
    if (!caps || caps->dwSize != sizeof(DSCAPS)) return DSERR_INVALIDPARAM;
    std::memset(caps, 0, sizeof(DSCAPS));
    caps->dwSize = sizeof(DSCAPS);
    caps->dwFlags = DSCAPS_PRIMARYSTEREO | DSCAPS_PRIMARY16BIT | DSCAPS_CONTINUOUSRATE |
                    DSCAPS_SECONDARYMONO | DSCAPS_SECONDARYSTEREO | DSCAPS_SECONDARY8BIT |
                    DSCAPS_SECONDARY16BIT;
    caps->dwMinSecondarySampleRate = DSBFREQUENCY_MIN;
    caps->dwMaxSecondarySampleRate = DSBFREQUENCY_MAX;
    caps->dwPrimaryBuffers = 1;
    return DS_OK;
  }

  HRESULT SetCooperativeLevel(HWND, DWORD level) override {
    return level >= DSSCL_NORMAL && level <= DSSCL_WRITEPRIMARY ? DS_OK : DSERR_INVALIDPARAM;
  }

  // The output is always stereo; any layout is accepted.
  HRESULT SetSpeakerConfig(DWORD) override { return DS_OK; }

 private:
  ~DirectSound() override = default;

  std::shared_ptr<Mixer> mixer_;
  std::unique_ptr<OutputStream> output_;  // stops pulling before the mixer can go
  std::atomic<ULONG> references_{1};
};

}  // namespace

}  // namespace platform::audio

HRESULT DirectSoundCreate(const GUID* device, LPDIRECTSOUND* directSound, LPUNKNOWN outer) {
  using namespace platform::audio;
  if (!directSound || outer) return DSERR_INVALIDPARAM;
  *directSound = nullptr;
  if (device) return DSERR_NODRIVER;
  auto mixer = std::make_shared<Mixer>(platform::kAudioOutputRate);
  const platform::AudioOutput output = ChosenOutput();
  std::unique_ptr<OutputStream> stream;
  if (output == platform::AudioOutput::kDevice) stream = OpenDeviceOutput(mixer);
  if (!stream && output != platform::AudioOutput::kManual) stream = OpenSilentOutput(mixer);
  RegisterMixer(mixer, output);
  *directSound = new DirectSound(std::move(mixer), std::move(stream));
  return DS_OK;
}
