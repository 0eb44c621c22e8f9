// The device that all sound objects share, the master volumes and the volume and pan tables.
#include <dumb.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "KSound.h"
#include "StreamThreads.h"

IDirectSound* g_directSound = nullptr;
int32_t g_soundInstanceCount = 0;
float g_soundOutputRate = 44100.0f;
std::atomic<int32_t> g_musicVolume{100};
std::atomic<int32_t> g_sfxVolume{100};
int32_t g_volumeTable[101];
int32_t g_panTable[201];

KSound::KSound() {
  // Every object is counted, also when the set-up fails, so that the last one to go always
  // releases what the first one made; a failed set-up is tried again once all objects are gone.
  if (g_soundInstanceCount == 0) InitDirectSound();
  ++g_soundInstanceCount;
}

KSound::~KSound() {
  --g_soundInstanceCount;
  StopThread();
  UnloadModule();
  FreeBuffers();
  if (g_soundInstanceCount <= 0) {
    dumb_exit();
    if (g_directSound) g_directSound->Release();
    g_directSound = nullptr;
  }
}

void KSound::BuildVolumeTables() {
  g_volumeTable[0] = DSBVOLUME_MIN;
  g_panTable[0] = DSBPAN_LEFT;
  g_panTable[200] = DSBPAN_RIGHT;
  for (int i = 1; i <= 100; ++i) {
    const long double x = -100.0L * std::log(i * 0.01L);
    g_volumeTable[i] = std::max(int32_t(x / std::log(0.92L)), int32_t(DSBVOLUME_MIN));
    // The rule gives 10001 at pan 99, which DirectSound refuses: keep it in range.
    const auto pan =
        std::clamp(int32_t(x / std::log(0.954999L)), int32_t(DSBPAN_LEFT), int32_t(DSBPAN_RIGHT));
    g_panTable[i] = pan;
    g_panTable[200 - i] = -pan;
  }
}

namespace {

// Every thread of the sound layer ends before the exit handlers registered earlier run (among them
// the destruction of sounds a program keeps until its end, and the sanitizers' leak check): first
// the stream threads, which refill buffers, then the device's output, which mixes them. Sounds
// that are left stay usable and are silent.
void EndSoundThreadsAtExit() {
  StopEveryStreamThread();
  if (g_directSound) g_directSound->Release();
  g_directSound = nullptr;
}

}  // namespace

void KSound::InitDirectSound() {
  [[maybe_unused]] static const bool endsAtExit = std::atexit(EndSoundThreadsAtExit) == 0;
  BuildVolumeTables();
  if (DirectSoundCreate(nullptr, &g_directSound, nullptr) != DS_OK) {
    g_directSound = nullptr;
    return;
  }
  DSCAPS caps{};
  caps.dwSize = sizeof(DSCAPS);
  g_directSound->GetCaps(&caps);
  g_soundOutputRate = (caps.dwFlags & DSCAPS_EMULDRIVER) ? 22050.0f : 44100.0f;
  // Without a foreground window the level is set for no window, which the mixer accepts.
  if (g_directSound->SetCooperativeLevel(GetForegroundWindow(), DSSCL_PRIORITY) != DS_OK) return;
  g_directSound->SetSpeakerConfig(DSSPEAKER_STEREO);
}

void KSound::SetGlobalVolumes(int music, int sfx) {
  if (music >= 0) g_musicVolume = music;
  if (sfx >= 0) g_sfxVolume = sfx;
}
