// The DirectSound buffers of a sound: creation, silence, recovery, release, and playing them.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "KSound.h"
#include "platform/files.h"

namespace {

constexpr DWORD kBufferFlags = DSBCAPS_GLOBALFOCUS | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN |
                               DSBCAPS_CTRLFREQUENCY | DSBCAPS_LOCSOFTWARE;

void ReleaseSlot(IDirectSoundBuffer*& slot) {
  if (!slot) return;
  slot->Stop();
  slot->Release();
  slot = nullptr;
}

}  // namespace

bool KSound::CreateBuffer(short index, int bytes, bool notify) {
  if (!g_directSound || index < 0 || index >= 9 || bytes <= 0 || !_format) return false;
  DSBUFFERDESC description{};
  description.dwSize = sizeof(DSBUFFERDESC);
  description.dwFlags = kBufferFlags | (notify ? DSBCAPS_CTRLPOSITIONNOTIFY : 0);
  description.dwBufferBytes = DWORD(bytes);
  description.lpwfxFormat = _format;
  ReleaseSlot(_buffers[index]);
  if (g_directSound->CreateSoundBuffer(&description, &_buffers[index], nullptr) != DS_OK) {
    _buffers[index] = nullptr;
    return false;
  }
  _buffers[index]->SetCurrentPosition(1);
  ClearBuffer(index, bytes);
  return true;
}

// Silences the whole buffer, whatever its length.
void KSound::ClearBuffer(short index, int) {
  if (index < 0 || index >= 9 || !_buffers[index]) return;
  void* audio = nullptr;
  DWORD length = 0;
  if (_buffers[index]->Lock(0, 0, &audio, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER) !=
      DS_OK) {
    return;
  }
  std::memset(audio, 0, length);
  _buffers[index]->Unlock(audio, length, nullptr, 0);
  _buffers[index]->SetCurrentPosition(1);
}

void KSound::RestoreBuffers() {
  for (int i = 0; i < _copies; ++i) {
    if (!_buffers[i] || _buffers[i]->Restore() != DS_OK) return;
  }
  // A stream keeps no PCM: its thread writes the restored buffer again.
  if (_isStream || !_pcm) return;
  for (int i = 0; i < _copies; ++i) {
    void* audio = nullptr;
    DWORD length = 0;
    if (_buffers[i]->Lock(0, 0, &audio, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER) != DS_OK) {
      ReleaseSlot(_buffers[i]);
      FreeBuffers();
      return;
    }
    std::memcpy(audio, _pcm, std::min<DWORD>(length, _pcmBytes));
    _buffers[i]->Unlock(audio, length, nullptr, 0);
  }
}

void KSound::FreeBuffers() {
  if (_notify) _notify->Release();
  _notify = nullptr;
  for (IDirectSoundBuffer*& slot : _buffers) ReleaseSlot(slot);
  if (_oggOpen) ov_clear(&_vorbisFile);
  std::free(_memData);
  _memData = nullptr;
  _pcm = nullptr;
  _pcmBytes = 0;
  _oggOpen = false;
  _memPos = 0;
  _memSize = 0;
}

// Creates each copy and fills it with the sample's PCM.
bool KSound::FillCopies() {
  for (short i = 0; i < _copies; ++i) {
    if (!CreateBuffer(i, int(_pcmBytes), false)) {
      platform::NoteLoadFailure(g_directSound ? "a sound format that can't be played"
                                              : "no sound device");
      FreeBuffers();
      return false;
    }
    void* audio = nullptr;
    DWORD length = 0;
    if (_buffers[i]->Lock(0, _pcmBytes, &audio, &length, nullptr, nullptr, DSBLOCK_ENTIREBUFFER) !=
        DS_OK) {
      FreeBuffers();
      return false;
    }
    std::memcpy(audio, _pcm, std::min<DWORD>(length, _pcmBytes));
    _buffers[i]->Unlock(audio, length, nullptr, 0);
  }
  _ready = true;
  SetPan(0);
  return true;
}

void KSound::PlaySample() {
  if (!_buffers[0]) return;
  if (++_nextCopy >= _copies) _nextCopy = 0;
  IDirectSoundBuffer* copy = _buffers[_nextCopy];
  if (!copy) return;
  copy->SetCurrentPosition(0);
  SetVolume(_volume);
  if (copy->Play(0, 0, _playFlags) == DSERR_BUFFERLOST) RestoreBuffers();
}

bool KSound::IsPlaying() {
  if (!_ready || !_buffers[0] || _copies < 1) return false;
  for (int i = 0; i < _copies; ++i) {
    DWORD status = 0;
    if (_buffers[i] && _buffers[i]->GetStatus(&status) == DS_OK &&
        (status &
         (DSBSTATUS_PLAYING | DSBSTATUS_LOOPING | DSBSTATUS_LOCHARDWARE | DSBSTATUS_LOCSOFTWARE))) {
      return true;
    }
  }
  return false;
}

void KSound::SetVolume(int volume) {
  _volume = std::clamp(volume, 0, 100);
  const int64_t master = _isStream ? g_musicVolume : g_sfxVolume;
  const auto effective = int(std::clamp<int64_t>(_volume * master / 100, 0, 100));
  for (int i = 0; i < _copies && _buffers[i]; ++i) _buffers[i]->SetVolume(g_volumeTable[effective]);
}

void KSound::SetPan(int pan) {
  if (pan < -100 || pan > 100) pan = 100;
  for (int i = 0; i < _copies && _buffers[i]; ++i) _buffers[i]->SetPan(g_panTable[pan + 100]);
}

void KSound::SetFrequency(int hz) {
  if (_nextCopy < 0 || _nextCopy >= 9 || !_buffers[_nextCopy]) return;
  _buffers[_nextCopy]->SetFrequency(hz < 1 ? DSBFREQUENCY_ORIGINAL : DWORD(hz));
}

void KSound::Stop() {
  if (_buffers[0]) _buffers[0]->Stop();
}

void KSound::StopAll() {
  for (int i = 0; i < _copies && _buffers[i]; ++i) _buffers[i]->Stop();
}

void KSound::PlayLooping() {
  if (_buffers[0]) _buffers[0]->Play(0, 0, DSBPLAY_LOOPING);
}
