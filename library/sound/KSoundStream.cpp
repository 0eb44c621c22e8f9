// Ogg Vorbis streams: the whole file in memory, decoded half a buffer at a time while it plays.
#include <cstring>

#include "KSound.h"
#include "SoundDecoding.h"
#include "SoundStreamLayout.h"

namespace {

void ShowNotOggBox() {
  MessageBoxA(nullptr, "error could not detect ogg file", "error", MB_OK);
}

}  // namespace

// Opens the decoder over the in-memory file; a box tells when it holds no Ogg Vorbis.
bool KSound::OpenOggStream() {
  if (ov_open_callbacks(this, &_vorbisFile, nullptr, 0, g_oggMemoryCallbacks) != 0) {
    ShowNotOggBox();
    return false;
  }
  _oggOpen = true;
  if (!ov_info(&_vorbisFile, -1)) {
    ShowNotOggBox();
    return false;
  }
  return true;
}

bool KSound::LoadStream(const char* filename) {
  Reset(true);
  if (ReadFileToMemory(filename) <= 0) return false;
  return BeginOggStream();
}

bool KSound::LoadStreamFromMemory(const void* data, int size) {
  Reset(true);
  if (CopyToMemoryFile(data, size) <= 0) return false;
  return BeginOggStream();
}

bool KSound::BeginOggStream() {
  if (!OpenOggStream()) {
    FreeBuffers();
    return false;
  }
  const vorbis_info* info = ov_info(&_vorbisFile, -1);
  _streamFormat = PcmFormat(WORD(info->channels), DWORD(info->rate));
  _format = &_streamFormat;
  if (!CreateBuffer(0, kStreamBufferBytes, true)) {
    FreeBuffers();
    return false;
  }
  _endOfStream = false;
  ov_time_seek(&_vorbisFile, 0.0);
  _buffers[0]->SetCurrentPosition(1);
  SetPan(0);
  return true;
}

void KSound::PlayStream(bool loop) {
  StopThread();
  if (!_buffers[0]) return;
  if (_oggOpen) ov_time_seek(&_vorbisFile, 0.0);
  _buffers[0]->Stop();
  _buffers[0]->SetCurrentPosition(0);
  // Set before the thread starts, which reads them.
  _endOfStream = false;
  _playFlags = loop ? DSBPLAY_LOOPING : 0;
  StartThread();
  if (_buffers[0]->Play(0, 0, DSBPLAY_LOOPING) == DSERR_BUFFERLOST) RestoreBuffers();
  SetVolume(_volume);
}

bool KSound::LockHalf(int half, void** audio) {
  DWORD length = 0;
  if (_buffers[0]->Lock(DWORD(half) * kStreamHalfBytes, kStreamHalfBytes, audio, &length, nullptr,
                        nullptr, 0) != DS_OK) {
    _buffers[0]->Restore();
    return false;
  }
  return true;
}

void KSound::FillOggHalf(int half) {
  void* audio = nullptr;
  if (!_buffers[0] || !LockHalf(half, &audio)) return;
  auto* bytes = static_cast<char*>(audio);
  std::memset(bytes, 0, kStreamHalfBytes);
  long last = 0;
  const bool endedBefore = _endOfStream;
  if (!endedBefore) {
    long filled = 0;
    int holes = 0;
    int bitstream = 0;
    while (filled < kStreamHalfBytes && !_stopRequest) {
      last = ov_read(&_vorbisFile, bytes + filled, int(kStreamHalfBytes - filled), 0, 2, 1,
                     &bitstream);
      if (last == OV_HOLE && ++holes < kMostVorbisHoles) continue;
      if (last > 0) {
        filled += last;
        continue;
      }
      // The end, or an error: a looping stream goes on from its start at the next refill.
      if (_playFlags) {
        ov_time_seek(&_vorbisFile, 0.0);
      } else {
        _endOfStream = true;
      }
      break;
    }
  }
  if (last < 0) std::memset(bytes, 0, kStreamHalfBytes);
  _buffers[0]->Unlock(audio, kStreamHalfBytes, nullptr, 0);
  if (LastHalfPlayed(endedBefore)) StopAndRewindStream();
}

// The half that takes the end of the audio plays out: the refill after it writes silence into the
// other half, and the one after that (the cursor has left the last half) ends the stream.
bool KSound::LastHalfPlayed(bool endedBefore) {
  if (!endedBefore) {
    if (_endOfStream) endHalvesLeft_ = 2;
    return false;
  }
  return --endHalvesLeft_ <= 0;
}

void KSound::StopAndRewindStream() {
  if (!_buffers[0]) return;
  _buffers[0]->Stop();
  ClearBuffer(0, kStreamBufferBytes);
  if (_oggOpen) ov_time_seek(&_vorbisFile, 0.0);
  _buffers[0]->SetCurrentPosition(1);
}

// Refills from the caller's thread instead of the stream thread: the half the cursor has left.
bool KSound::PollOggStream(int) {
  DWORD status = 0;
  DWORD play = 0;
  if (!_buffers[0] || _buffers[0]->GetStatus(&status) != DS_OK || !(status & DSBSTATUS_PLAYING) ||
      _buffers[0]->GetCurrentPosition(&play, nullptr) != DS_OK) {
    return false;
  }
  if (play < kStreamHalfBytes && _pollHalf == 1) {
    FillOggHalf(1);
    _pollHalf = 0;
  } else if (play >= kStreamHalfBytes && _pollHalf == 0) {
    FillOggHalf(0);
    _pollHalf = 1;
  }
  return true;
}
