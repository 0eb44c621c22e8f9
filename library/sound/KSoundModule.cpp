// Tracker modules (IT, XM, S3M, MOD) rendered by DUMB half a buffer at a time while they play.
#include <dumb.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "KSound.h"
#include "ModuleCheck.h"
#include "SoundDecoding.h"
#include "SoundStreamLayout.h"
#include "platform/files.h"

namespace {

// Module files are read whole through the platform's regular-file reader and parsed from memory.
constexpr size_t kModuleFileLimit = 64u << 20;

// Tries each module format on the file's bytes in turn. The quick readers parse the file without
// running through the song to measure it: that run costs time and a copy of the player's state
// for every 30 seconds of song, which a module that lasts days (a few header bytes make one) turns
// into minutes and gigabytes, and play never needs its length or positions past the start.
DUH* ReadModule(const std::string& bytes) {
  // Set once, before the first module exists, so that no thread can read it while it changes.
  static const bool voicesSet = (dumb_it_max_to_mix = 64, true);
  (void)voicesSet;
  for (DUH* (*read)(DUMBFILE*) :
       {dumb_read_it_quick, dumb_read_xm_quick, dumb_read_s3m_quick, dumb_read_mod_quick}) {
    DUMBFILE* file = dumbfile_open_memory(bytes.data(), long(bytes.size()));
    if (!file) return nullptr;
    DUH* module = read(file);
    dumbfile_close(file);
    if (module) return module;
  }
  return nullptr;
}

long RenderFrames(DUH_SIGRENDERER* renderer, long frames, void* destination) {
  return duh_render(renderer, 16, 0, 1.0f, 65536.0f / g_soundOutputRate, frames, destination);
}

}  // namespace

bool KSound::LoadModule(const char* filename) {
  Reset(true);
  if (!filename) return false;
  std::string bytes;
  if (const char* reason = platform::ReadRegularFile(filename, kModuleFileLimit, &bytes)) {
    platform::NoteLoadFailure(reason);
    return false;
  }
  if (!ModulePlayable(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())) {
    platform::NoteLoadFailure("a tracker module its player would fail on");
    return false;
  }
  _module = ReadModule(bytes);
  if (!_module) {
    platform::NoteLoadFailure("not a tracker module");
    return false;
  }
  _moduleRenderer = duh_start_sigrenderer(_module, 0, 2, 0);
  if (!_moduleRenderer) {
    UnloadModule();
    return false;
  }
  _streamFormat = PcmFormat(2, DWORD(g_soundOutputRate));
  _format = &_streamFormat;
  if (!CreateBuffer(0, kStreamBufferBytes, true)) return false;
  SetPan(0);
  return true;
}

void KSound::UnloadModule() {
  if (_moduleRenderer) duh_end_sigrenderer(_moduleRenderer);
  if (_module) unload_duh(_module);
  _moduleRenderer = nullptr;
  _module = nullptr;
}

void KSound::PlayModule(bool loop) {
  if (!_buffers[0]) return;
  // First, as a module that ended on its thread has replaced its renderer there.
  StopThread();
  if (!_moduleRenderer) return;
  _endOfStream = false;
  if (!loop) {
    dumb_it_set_loop_callback(duh_get_it_sigrenderer(_moduleRenderer), ModuleLoopCallback, this);
  }
  _moduleLoop = loop;
  StartThread();
  if (_buffers[0]->Play(0, 0, DSBPLAY_LOOPING) == DSERR_BUFFERLOST) RestoreBuffers();
  SetVolume(_volume);
}

void KSound::StopModule() {
  if (!_buffers[0]) return;
  _buffers[0]->Stop();
  if (OnStreamThread()) {
    _stopRequest = true;
  } else {
    StopThread();
  }
  ClearBuffer(0, kStreamBufferBytes);
  RestartModuleAtOrder(0);
  _endOfStream = true;
}

// The new renderer carries no loop callback.
void KSound::RestartModuleAtOrder(int order) {
  if (!_module || !_moduleRenderer) return;
  duh_end_sigrenderer(_moduleRenderer);
  _moduleRenderer = dumb_it_start_at_order(_module, 2, order);
}

void KSound::FillModuleHalf(int half) {
  void* audio = nullptr;
  if (!_buffers[0] || !LockHalf(half, &audio)) return;
  std::memset(audio, 0, kStreamHalfBytes);
  const bool endedBefore = _endOfStream;
  if (!endedBefore && _moduleRenderer) RenderFrames(_moduleRenderer, kModuleHalfFrames, audio);
  _buffers[0]->Unlock(audio, kStreamHalfBytes, nullptr, 0);
  if (LastHalfPlayed(endedBefore)) StopModule();
}

// DUMB calls this when the module loops. A module that must not loop ends there: DUMB stops
// rendering at that point, so the last half holds the module's end followed by silence.
int KSound::ModuleLoopCallback(void* sound) {
  auto* self = static_cast<KSound*>(sound);
  if (!self || self->_moduleLoop) return 0;
  self->_endOfStream = true;
  return 1;
}

bool KSound::PollModule() {
  DWORD play = 0;
  if (!_buffers[0] || _buffers[0]->GetCurrentPosition(&play, nullptr) != DS_OK) return false;
  if (play < DWORD(kStreamHalfBytes) && _pollHalf == 1) {
    FillModuleHalf(1);
    _pollHalf = 0;
  } else if (play > DWORD(kStreamHalfBytes) && _pollHalf == 0) {
    FillModuleHalf(0);
    _pollHalf = 1;
  }
  return true;
}

// Takes the renderer over from a playing stream first. Fails when nothing could be written.
bool KSound::RenderModuleToFile(const char* filename, int maxBytes) {
  StopThread();
  if (!_buffers[0] || !_moduleRenderer) return false;
  FILE* file = platform::OpenFile(filename, "wb");
  if (!file) return false;
  _endOfStream = false;
  _moduleLoop = false;
  dumb_it_set_loop_callback(duh_get_it_sigrenderer(_moduleRenderer), ModuleLoopCallback, this);
  std::vector<char> block(kStreamHalfBytes);
  long frames = 0;
  long blocksWritten = 0;
  bool written = true;
  for (;;) {
    std::memset(block.data(), 0, block.size());
    const long rendered = RenderFrames(_moduleRenderer, kModuleHalfFrames, block.data());
    frames += rendered;
    if ((maxBytes >= 4 && frames > maxBytes / 4) || rendered <= 0) break;
    if (std::fwrite(block.data(), 1, block.size(), file) != block.size()) {
      written = false;
      break;
    }
    ++blocksWritten;
    if (_endOfStream) break;
  }
  if (std::fclose(file) != 0) written = false;
  return written && blocksWritten > 0;
}
