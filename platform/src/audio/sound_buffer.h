// A secondary sound buffer of the software mixer, and its position-notification interface.
#pragma once

#include <atomic>
#include <memory>

#include "audio/mixer.h"
#include "platform/directsound.h"

namespace platform::audio {

class SoundBuffer final : public IDirectSoundBuffer {
 public:
  // Checks the description; null with the reason in `result` when it can't be played.
  static SoundBuffer* Create(std::shared_ptr<Mixer> mixer, const DSBUFFERDESC& description,
                             HRESULT& result);

  HRESULT QueryInterface(REFIID riid, void** object) override;
  ULONG AddRef() override;
  ULONG Release() override;

  HRESULT GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) override;
  HRESULT GetStatus(LPDWORD status) override;
  HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD bytes1, LPVOID* audio2,
               LPDWORD bytes2, DWORD flags) override;
  HRESULT Play(DWORD reserved1, DWORD priority, DWORD flags) override;
  HRESULT SetCurrentPosition(DWORD newPosition) override;
  HRESULT SetVolume(LONG volume) override;
  HRESULT SetPan(LONG pan) override;
  HRESULT SetFrequency(DWORD frequency) override;
  HRESULT Stop() override;
  HRESULT Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) override;
  HRESULT Restore() override;

  HRESULT SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions);

 private:
  SoundBuffer(std::shared_ptr<Mixer> mixer, const DSBUFFERDESC& description);
  ~SoundBuffer() override;
  DWORD WriteLead() const;
  HRESULT ReleaseLockedRanges(LPVOID audio1, LPVOID audio2);

  std::shared_ptr<Mixer> mixer_;
  Voice voice_;
  std::atomic<ULONG> references_{1};
};

}  // namespace platform::audio
