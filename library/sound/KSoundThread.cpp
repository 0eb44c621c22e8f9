// The stream thread: it refills the half of the looping buffer that the play cursor has left.
#include <algorithm>
#include <mutex>
#include <vector>

#include "KSound.h"
#include "SoundStreamLayout.h"
#include "StreamThreads.h"

namespace {

// The sound whose stream thread is the current thread, if any.
thread_local const KSound* g_streamSound = nullptr;

constexpr DWORD kWakeMilliseconds = 50;

// The sounds whose threads run. Never destroyed: sounds may go during the exit of the process.
struct RunningStreams {
  std::mutex lock;
  std::vector<KSound*> sounds;
};

RunningStreams& Running() {
  static auto* running = new RunningStreams;
  return *running;
}

}  // namespace

void NoteStreamThreadStarted(KSound* sound) {
  std::lock_guard<std::mutex> hold(Running().lock);
  Running().sounds.push_back(sound);
}

void NoteStreamThreadStopped(KSound* sound) {
  std::lock_guard<std::mutex> hold(Running().lock);
  std::erase(Running().sounds, sound);
}

void StopEveryStreamThread() {
  std::vector<KSound*> sounds;
  {
    std::lock_guard<std::mutex> hold(Running().lock);
    sounds = Running().sounds;
  }
  for (KSound* sound : sounds) sound->StopThread();
}

bool KSound::OnStreamThread() const {
  return g_streamSound == this;
}

bool KSound::StartThread() {
  if (_thread) StopThread();
  _ready = false;
  if (!_buffers[0]) return false;
  _buffers[0]->Stop();
  _stopRequest = false;
  _thread = CreateThread(nullptr, 0, StreamThreadProc, this, 0, &_threadId);
  if (!_thread) return false;
  NoteStreamThreadStarted(this);
  while (!_ready) Sleep(0);
  SetThreadPriority(_thread, THREAD_PRIORITY_ABOVE_NORMAL);
  return true;
}

// Only the owner ends the thread and releases what it made; a stream that ends on the thread
// itself only raises the stop request.
void KSound::StopThread() {
  _ready = false;
  _stopRequest = true;
  if (_buffers[0]) {
    _buffers[0]->Stop();
    _buffers[0]->SetCurrentPosition(1);
  }
  if (_thread) {
    WaitForSingleObject(_thread, INFINITE);
    CloseHandle(_thread);
    _thread = nullptr;
    NoteStreamThreadStopped(this);
  }
  if (_notify) {
    // The buffer outlives the events: it must not signal them once they are closed.
    _notify->SetNotificationPositions(0, nullptr);
    _notify->Release();
    _notify = nullptr;
  }
  for (HANDLE& event : _events) {
    if (event) CloseHandle(event);
    event = nullptr;
  }
  // Answered: refills from the caller's thread may decode again.
  _stopRequest = false;
}

DWORD WINAPI KSound::StreamThreadProc(LPVOID sound) {
  static_cast<KSound*>(sound)->RunStreamThread();
  return 0;
}

void KSound::RunStreamThread() {
  g_streamSound = this;
  // Unnamed events: each stream thread has its own pair.
  _events[0] = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  _events[1] = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  if (_buffers[0]->QueryInterface(IID_IDirectSoundNotify, reinterpret_cast<void**>(&_notify)) !=
          S_OK ||
      !_events[0] || !_events[1]) {
    _ready = true;
    return;
  }
  const DSBPOSITIONNOTIFY positions[2] = {{0, _events[0]}, {DWORD(kStreamHalfBytes), _events[1]}};
  if (_notify->SetNotificationPositions(2, positions) != DS_OK) {
    _ready = true;
    return;
  }
  _ready = true;
  int lastMusicVolume = -1;
  while (!_stopRequest && _buffers[0]) {
    if (g_musicVolume != lastMusicVolume) {
      lastMusicVolume = g_musicVolume;
      SetVolume(_volume);
    }
    // Reaching offset 0 means half 1 has just been played; reaching the middle, half 0.
    const DWORD signalled = WaitForMultipleObjects(2, _events, FALSE, kWakeMilliseconds);
    if (signalled == WAIT_OBJECT_0 || signalled == WAIT_OBJECT_0 + 1) {
      const int half = signalled == WAIT_OBJECT_0 ? 1 : 0;
      if (_module) {
        FillModuleHalf(half);
      } else {
        FillOggHalf(half);
      }
    }
    Sleep(0);
  }
}
