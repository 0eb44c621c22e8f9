#include "audio/sound_buffer.h"

#include "audio/audio_registry.h"

#include <algorithm>
#include <cstring>
#include <new>

const IID IID_IDirectSoundNotify = {
    0xB0210783, 0x89CD, 0x11D0, {0xAF, 0x08, 0x00, 0xA0, 0xC9, 0x25, 0xCD, 0x16}};

namespace platform::audio {

namespace {

constexpr DWORD kKnownFlags = DSBCAPS_STATIC | DSBCAPS_LOCSOFTWARE | DSBCAPS_CTRLFREQUENCY |
                              DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPOSITIONNOTIFY |
                              DSBCAPS_STICKYFOCUS | DSBCAPS_GLOBALFOCUS |
                              DSBCAPS_GETCURRENTPOSITION2;

// The mixer plays 8-bit unsigned and 16-bit signed PCM, mono or stereo.
bool IsPlayableFormat(const WAVEFORMATEX& format) {
  return format.wFormatTag == WAVE_FORMAT_PCM && (format.nChannels == 1 || format.nChannels == 2) &&
         (format.wBitsPerSample == 8 || format.wBitsPerSample == 16) &&
         format.nBlockAlign == format.nChannels * format.wBitsPerSample / 8 &&
         format.nSamplesPerSec >= DSBFREQUENCY_MIN && format.nSamplesPerSec <= DSBFREQUENCY_MAX;
}

class SoundNotify final : public IDirectSoundNotify {
 public:
  explicit SoundNotify(SoundBuffer* buffer) : buffer_(buffer) { buffer_->AddRef(); }

  HRESULT QueryInterface(REFIID riid, void** object) override {
    return buffer_->QueryInterface(riid, object);
  }
  ULONG AddRef() override { return ++references_; }
  ULONG Release() override {
    ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) override {
    return buffer_->SetNotificationPositions(count, positions);
  }

 private:
  ~SoundNotify() override { buffer_->Release(); }

  SoundBuffer* buffer_;
  std::atomic<ULONG> references_{1};
};

}  // namespace

SoundBuffer* SoundBuffer::Create(std::shared_ptr<Mixer> mixer, const DSBUFFERDESC& description,
                                 HRESULT& result) {
  result = DSERR_INVALIDPARAM;
  if (description.dwSize != sizeof(DSBUFFERDESC) || (description.dwFlags & ~kKnownFlags) ||
      description.dwBufferBytes < DSBSIZE_MIN || description.dwBufferBytes > DSBSIZE_MAX ||
      !description.lpwfxFormat) {
    return nullptr;
  }
  if (!IsPlayableFormat(*description.lpwfxFormat)) {
    result = DSERR_BADFORMAT;
    return nullptr;
  }
  SoundBuffer* buffer = new (std::nothrow) SoundBuffer(std::move(mixer), description);
  if (!buffer || buffer->voice_.bytes.size() != description.dwBufferBytes) {
    delete buffer;
    result = DSERR_OUTOFMEMORY;
    return nullptr;
  }
  buffer->mixer_->Add(&buffer->voice_);
  result = DS_OK;
  return buffer;
}

SoundBuffer::SoundBuffer(std::shared_ptr<Mixer> mixer, const DSBUFFERDESC& description)
    : mixer_(std::move(mixer)) {
  try {
    voice_.bytes.assign(description.dwBufferBytes, 0);
  } catch (const std::bad_alloc&) {
    return;
  }
  voice_.format = *description.lpwfxFormat;
  voice_.format.cbSize = 0;
  voice_.flags = description.dwFlags;
  voice_.frameBytes = voice_.format.nBlockAlign;
  voice_.frames = description.dwBufferBytes / voice_.frameBytes;
}

SoundBuffer::~SoundBuffer() {
  mixer_->Remove(&voice_);
}

HRESULT SoundBuffer::QueryInterface(REFIID riid, void** object) {
  if (!object) return E_POINTER;
  *object = nullptr;
  if (riid == IID_IDirectSoundNotify) {
    if (!(voice_.flags & DSBCAPS_CTRLPOSITIONNOTIFY)) return E_NOINTERFACE;
    *object = static_cast<IDirectSoundNotify*>(new SoundNotify(this));
    return S_OK;
  }
  return E_NOINTERFACE;
}

// The mixer works a block ahead of the play cursor: bytes up to there may be mixed already.
DWORD SoundBuffer::WriteLead() const {
  return voice_.playing ? Mixer::kBlockFrames * voice_.frameBytes : 0;
}

ULONG SoundBuffer::AddRef() {
  return ++references_;
}

ULONG SoundBuffer::Release() {
  ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT SoundBuffer::GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) {
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  const DWORD play = voice_.CursorBytes();
  if (playCursor) *playCursor = play;
  if (writeCursor) {
    *writeCursor = DWORD((uint64_t(play) + WriteLead()) % voice_.bytes.size());
  }
  return DS_OK;
}

HRESULT SoundBuffer::GetStatus(LPDWORD status) {
  if (!status) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  *status = (voice_.playing ? DSBSTATUS_PLAYING : 0) |
            (voice_.playing && voice_.looping ? DSBSTATUS_LOOPING : 0) |
            (voice_.lost ? DSBSTATUS_BUFFERLOST : 0);
  return DS_OK;
}

HRESULT SoundBuffer::Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD bytes1, LPVOID* audio2,
                          LPDWORD bytes2, DWORD flags) {
  if (!audio1 || !bytes1) return DSERR_INVALIDPARAM;
  const DWORD size = DWORD(voice_.bytes.size());
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  if (voice_.lost) return DSERR_BUFFERLOST;
  if (flags & DSBLOCK_ENTIREBUFFER) {
    offset = 0;
    bytes = size;
  } else if (flags & DSBLOCK_FROMWRITECURSOR) {
    offset = DWORD((uint64_t(voice_.CursorBytes()) + WriteLead()) % size);
  }
  if (offset >= size || bytes == 0 || bytes > size) return DSERR_INVALIDPARAM;
  const DWORD first = std::min(bytes, size - offset);
  const DWORD second = bytes - first;
  if (second > 0 && (!audio2 || !bytes2)) return DSERR_INVALIDPARAM;
  if (voice_.lockedCount + (second > 0 ? 2 : 1) > Voice::kMaxLockedRanges) {
    return DSERR_INVALIDCALL;
  }
  voice_.locked[voice_.lockedCount++] = {offset, offset + first};
  if (second > 0) voice_.locked[voice_.lockedCount++] = {0, second};
  *audio1 = voice_.bytes.data() + offset;
  *bytes1 = first;
  if (audio2) *audio2 = second > 0 ? voice_.bytes.data() : nullptr;
  if (bytes2) *bytes2 = second;
  return DS_OK;
}

HRESULT SoundBuffer::Unlock(LPVOID audio1, DWORD, LPVOID audio2, DWORD) {
  HRESULT result = ReleaseLockedRanges(audio1, audio2);
  if (result == DS_OK) CountUnlock();
  return result;
}

HRESULT SoundBuffer::ReleaseLockedRanges(LPVOID audio1, LPVOID audio2) {
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  HRESULT result = DS_OK;
  for (LPVOID audio : {audio1, audio2}) {
    if (!audio) continue;
    const auto begin = uint32_t(static_cast<uint8_t*>(audio) - voice_.bytes.data());
    auto* range = std::find_if(voice_.locked.begin(), voice_.locked.begin() + voice_.lockedCount,
                               [&](const ByteRange& locked) { return locked.begin == begin; });
    if (range == voice_.locked.begin() + voice_.lockedCount) {
      result = DSERR_INVALIDPARAM;
      continue;
    }
    *range = voice_.locked[--voice_.lockedCount];
  }
  return result;
}

HRESULT SoundBuffer::Play(DWORD, DWORD, DWORD flags) {
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  if (voice_.lost) return DSERR_BUFFERLOST;
  voice_.playing = true;
  voice_.looping = (flags & DSBPLAY_LOOPING) != 0;
  return DS_OK;
}

HRESULT SoundBuffer::SetCurrentPosition(DWORD newPosition) {
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  if (newPosition >= voice_.bytes.size()) return DSERR_INVALIDPARAM;
  voice_.cursorFrame = std::min(newPosition / voice_.frameBytes, voice_.frames - 1);
  voice_.cursorFraction = 0;
  return DS_OK;
}

HRESULT SoundBuffer::SetVolume(LONG volume) {
  if (!(voice_.flags & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
  if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  voice_.volume = volume;
  voice_.UpdateGains();
  return DS_OK;
}

HRESULT SoundBuffer::SetPan(LONG pan) {
  if (!(voice_.flags & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
  if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  voice_.pan = pan;
  voice_.UpdateGains();
  return DS_OK;
}

HRESULT SoundBuffer::SetFrequency(DWORD frequency) {
  if (!(voice_.flags & DSBCAPS_CTRLFREQUENCY)) return DSERR_CONTROLUNAVAIL;
  if (frequency != DSBFREQUENCY_ORIGINAL &&
      (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX)) {
    return DSERR_INVALIDPARAM;
  }
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  voice_.frequency = frequency;
  return DS_OK;
}

HRESULT SoundBuffer::Stop() {
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  if (voice_.playing) {
    voice_.playing = false;
    voice_.NotifyStopped();
  }
  return DS_OK;
}

HRESULT SoundBuffer::Restore() {
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  if (voice_.lost && voice_.lockedCount == 0) {
    std::fill(voice_.bytes.begin(), voice_.bytes.end(), 0);
    voice_.lost = false;
  }
  return voice_.lost ? DSERR_BUFFERLOST : DS_OK;
}

HRESULT SoundBuffer::SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) {
  if (count > 0 && !positions) return DSERR_INVALIDPARAM;
  std::vector<DSBPOSITIONNOTIFY> notifications;
  for (DWORD i = 0; i < count; ++i) {
    if (!positions[i].hEventNotify || (positions[i].dwOffset != DSBPN_OFFSETSTOP &&
                                       positions[i].dwOffset >= voice_.bytes.size())) {
      return DSERR_INVALIDPARAM;
    }
  }
  notifications.assign(positions, positions + count);
  std::lock_guard<std::mutex> hold(mixer_->Lock());
  if (voice_.playing) return DSERR_INVALIDCALL;
  voice_.notifications.swap(notifications);
  return DS_OK;
}

}  // namespace platform::audio
