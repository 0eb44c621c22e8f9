// One sound: a sample held in one to nine DirectSound buffers that play in turn, or a stream (Ogg
// Vorbis or tracker module) that one looping buffer and a thread of its own play.
#pragma once

#include <vorbis/vorbisfile.h>

#include <atomic>
#include <cstdint>

#include "platform/win32.h"

struct DUH;
struct DUH_SIGRENDERER;

class KSound {
 public:
  KSound();
  ~KSound();
  KSound(const KSound&) = delete;
  KSound& operator=(const KSound&) = delete;

  // Samples. A name containing ".ogg" is decoded as Ogg Vorbis, any other read as WAV.
  bool LoadSample(const char* filename, int volume, bool loop, short copies);
  // format 0 (or below) WAV, 1 Ogg Vorbis. A WAV image is played from where it lies: it must stay
  // valid as long as the sample is loaded.
  bool LoadSampleFromMemory(const void* data, int size, int format, int volume, bool loop,
                            short copies);
  bool LoadOggSample(const char* filename);
  bool LoadOggSampleFromMemory(const void* data, int size);
  void PlaySample();
  bool IsPlaying();
  void SetVolume(int volume);
  void SetPan(int pan);
  void SetFrequency(int hz);
  void Stop();
  void StopAll();
  void PlayLooping();

  // Streams and modules.
  bool LoadStream(const char* filename);
  bool LoadStreamFromMemory(const void* data, int size);
  bool LoadModule(const char* filename);
  void UnloadModule();
  void PlayStream(bool loop);
  void PlayModule(bool loop);
  void StopModule();
  void RestartModuleAtOrder(int order);
  void StopAndRewindStream();
  bool StartThread();
  void StopThread();
  static DWORD WINAPI StreamThreadProc(LPVOID sound);
  void FillOggHalf(int half);
  void FillModuleHalf(int half);
  static int ModuleLoopCallback(void* sound);
  bool PollOggStream(int ignored);
  bool PollModule();
  // Headerless 16-bit stereo PCM at the module output rate, in whole 64 KB blocks. maxBytes
  // below 4: until the module ends.
  bool RenderModuleToFile(const char* filename, int maxBytes);

  // The in-memory file under the Ogg Vorbis decoder of streams.
  static size_t OggMemRead(void* destination, size_t size, size_t count, void* sound);
  static int OggMemSeek(void* sound, ogg_int64_t offset, int whence);
  static int OggMemClose(void* sound);
  static long OggMemTell(void* sound);

  // Music (streams and modules) and effects (samples) masters in percent; negative: unchanged.
  static void SetGlobalVolumes(int music, int sfx);
  static void InitDirectSound();
  static void BuildVolumeTables();

  bool CreateBuffer(short index, int bytes, bool notify);
  void ClearBuffer(short index, int bytes);
  void RestoreBuffers();
  void FreeBuffers();
  int ReadFileToMemory(const char* filename);
  int CopyToMemoryFile(const void* data, int size);
  int ParseWav(const uint8_t* data, int size);

  static int32_t SwapInt(int32_t value) { return value; }
  static int16_t SwapShort(int16_t value) { return value; }
  static float SwapFloat(float value) { return value; }

 private:
  void Reset(bool isStream);
  bool FillCopies();
  uint8_t* DecodeOggSample(OggVorbis_File& decoder);
  bool KeepDecodedSample(uint8_t* block);
  bool OpenOggStream();
  bool LockHalf(int half, void** audio);
  bool BeginOggStream();
  void RunStreamThread();
  bool OnStreamThread() const;
  bool LastHalfPlayed(bool endedBefore);

  int16_t _copies = 1;
  std::atomic<int32_t> _volume{80};
  uint32_t _playFlags = 0;
  bool _isStream = false;
  int32_t _pollHalf = 1;
  int32_t _nextCopy = 0;
  DUH* _module = nullptr;
  DUH_SIGRENDERER* _moduleRenderer = nullptr;
  bool _moduleLoop = false;
  WAVEFORMATEX* _format = nullptr;
  const uint8_t* _pcm = nullptr;
  uint32_t _pcmBytes = 0;
  WAVEFORMATEX _streamFormat{};
  // A sample's own copy of its format record, read from the WAV image or the Ogg Vorbis header.
  WAVEFORMATEX sampleFormat_{};
  OggVorbis_File _vorbisFile{};
  bool _oggOpen = false;
  IDirectSoundBuffer* _buffers[9] = {};
  IDirectSoundNotify* _notify = nullptr;
  HANDLE _events[2] = {};
  HANDLE _thread = nullptr;
  DWORD _threadId = 0;
  std::atomic<bool> _stopRequest{false};
  std::atomic<bool> _ready{false};
  std::atomic<bool> _endOfStream{false};
  // Refills still to come after the decoder's end before the last audio has been heard.
  int32_t endHalvesLeft_ = 0;
  uint32_t _memPos = 0;
  uint32_t _memSize = 0;
  uint8_t* _memData = nullptr;
};

extern IDirectSound* g_directSound;
extern int32_t g_soundInstanceCount;
extern float g_soundOutputRate;
extern std::atomic<int32_t> g_musicVolume;
extern std::atomic<int32_t> g_sfxVolume;
extern int32_t g_volumeTable[101];
extern int32_t g_panTable[201];
extern ov_callbacks g_oggMemoryCallbacks;
