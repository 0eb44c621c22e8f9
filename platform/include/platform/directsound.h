// DirectSound: a software mixer of secondary buffers feeding the audio output, with volume in
// hundredths of a decibel, pan, playback rate, looping, play cursor and position notifications.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/win32_types.h"

#define WAVE_FORMAT_PCM 1

typedef struct tWAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
} WAVEFORMATEX, *LPWAVEFORMATEX;
typedef const WAVEFORMATEX* LPCWAVEFORMATEX;

typedef struct _DSCAPS {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwMinSecondarySampleRate;
  DWORD dwMaxSecondarySampleRate;
  DWORD dwPrimaryBuffers;
  DWORD dwMaxHwMixingAllBuffers;
  DWORD dwMaxHwMixingStaticBuffers;
  DWORD dwMaxHwMixingStreamingBuffers;
  DWORD dwFreeHwMixingAllBuffers;
  DWORD dwFreeHwMixingStaticBuffers;
  DWORD dwFreeHwMixingStreamingBuffers;
  DWORD dwMaxHw3DAllBuffers;
  DWORD dwMaxHw3DStaticBuffers;
  DWORD dwMaxHw3DStreamingBuffers;
  DWORD dwFreeHw3DAllBuffers;
  DWORD dwFreeHw3DStaticBuffers;
  DWORD dwFreeHw3DStreamingBuffers;
  DWORD dwTotalHwMemBytes;
  DWORD dwFreeHwMemBytes;
  DWORD dwMaxContigFreeHwMemBytes;
  DWORD dwUnlockTransferRateHwBuffers;
  DWORD dwPlayCpuOverheadSwBuffers;
  DWORD dwReserved1;
  DWORD dwReserved2;
} DSCAPS, *LPDSCAPS;

// The buffer description without the 3D-algorithm field; dwSize is sizeof(DSBUFFERDESC).
typedef struct _DSBUFFERDESC {
  DWORD dwSize;
  DWORD dwFlags;
  DWORD dwBufferBytes;
  DWORD dwReserved;
  LPWAVEFORMATEX lpwfxFormat;
} DSBUFFERDESC, *LPDSBUFFERDESC;
typedef const DSBUFFERDESC* LPCDSBUFFERDESC;

typedef struct _DSBPOSITIONNOTIFY {
  DWORD dwOffset;
  HANDLE hEventNotify;
} DSBPOSITIONNOTIFY, *LPDSBPOSITIONNOTIFY;
typedef const DSBPOSITIONNOTIFY* LPCDSBPOSITIONNOTIFY;

#define DSCAPS_PRIMARYMONO 0x00000001u
#define DSCAPS_PRIMARYSTEREO 0x00000002u
#define DSCAPS_PRIMARY8BIT 0x00000004u
#define DSCAPS_PRIMARY16BIT 0x00000008u
#define DSCAPS_CONTINUOUSRATE 0x00000010u
#define DSCAPS_EMULDRIVER 0x00000020u
#define DSCAPS_SECONDARYMONO 0x00000100u
#define DSCAPS_SECONDARYSTEREO 0x00000200u
#define DSCAPS_SECONDARY8BIT 0x00000400u
#define DSCAPS_SECONDARY16BIT 0x00000800u

#define DSBCAPS_PRIMARYBUFFER 0x00000001u
#define DSBCAPS_STATIC 0x00000002u
#define DSBCAPS_LOCHARDWARE 0x00000004u
#define DSBCAPS_LOCSOFTWARE 0x00000008u
#define DSBCAPS_CTRLFREQUENCY 0x00000020u
#define DSBCAPS_CTRLPAN 0x00000040u
#define DSBCAPS_CTRLVOLUME 0x00000080u
#define DSBCAPS_CTRLPOSITIONNOTIFY 0x00000100u
#define DSBCAPS_STICKYFOCUS 0x00004000u
#define DSBCAPS_GLOBALFOCUS 0x00008000u
#define DSBCAPS_GETCURRENTPOSITION2 0x00010000u

#define DSBPLAY_LOOPING 0x00000001u

#define DSBSTATUS_PLAYING 0x00000001u
#define DSBSTATUS_BUFFERLOST 0x00000002u
#define DSBSTATUS_LOOPING 0x00000004u
#define DSBSTATUS_LOCHARDWARE 0x00000008u
#define DSBSTATUS_LOCSOFTWARE 0x00000010u

#define DSBLOCK_FROMWRITECURSOR 0x00000001u
#define DSBLOCK_ENTIREBUFFER 0x00000002u

#define DSSCL_NORMAL 1u
#define DSSCL_PRIORITY 2u
#define DSSCL_EXCLUSIVE 3u
#define DSSCL_WRITEPRIMARY 4u

#define DSSPEAKER_HEADPHONE 1u
#define DSSPEAKER_MONO 2u
#define DSSPEAKER_QUAD 3u
#define DSSPEAKER_STEREO 4u
#define DSSPEAKER_SURROUND 5u

#define DSBFREQUENCY_ORIGINAL 0u
#define DSBFREQUENCY_MIN 100u
#define DSBFREQUENCY_MAX 100000u
#define DSBVOLUME_MIN (-10000)
#define DSBVOLUME_MAX 0
#define DSBPAN_LEFT (-10000)
#define DSBPAN_CENTER 0
#define DSBPAN_RIGHT 10000
#define DSBSIZE_MIN 4u
#define DSBSIZE_MAX 0x0FFFFFFFu
#define DSBPN_OFFSETSTOP 0xFFFFFFFFu

#define DS_OK S_OK
#define DSERR_ALLOCATED ((HRESULT)0x8878000A)
#define DSERR_CONTROLUNAVAIL ((HRESULT)0x8878001E)
#define DSERR_INVALIDPARAM E_INVALIDARG
#define DSERR_INVALIDCALL ((HRESULT)0x88780032)
#define DSERR_GENERIC E_FAIL
#define DSERR_PRIOLEVELNEEDED ((HRESULT)0x88780046)
#define DSERR_OUTOFMEMORY E_OUTOFMEMORY
#define DSERR_BADFORMAT ((HRESULT)0x88780064)
#define DSERR_UNSUPPORTED E_NOTIMPL
#define DSERR_NODRIVER ((HRESULT)0x88780078)
#define DSERR_BUFFERLOST ((HRESULT)0x88780096)
#define DSERR_NOINTERFACE E_NOINTERFACE

extern const IID IID_IDirectSoundNotify;

struct IDirectSoundBuffer : IUnknown {
  virtual HRESULT GetCurrentPosition(LPDWORD playCursor, LPDWORD writeCursor) = 0;
  virtual HRESULT GetStatus(LPDWORD status) = 0;
  // Gives direct access to the buffer's bytes; a region past the end continues in the second
  // pointer from the start. The mixer leaves a locked region alone until Unlock.
  virtual HRESULT Lock(DWORD offset, DWORD bytes, LPVOID* audio1, LPDWORD bytes1, LPVOID* audio2,
                       LPDWORD bytes2, DWORD flags) = 0;
  virtual HRESULT Play(DWORD reserved1, DWORD priority, DWORD flags) = 0;
  virtual HRESULT SetCurrentPosition(DWORD newPosition) = 0;
  // Hundredths of a decibel, DSBVOLUME_MIN (silence) to DSBVOLUME_MAX (unchanged).
  virtual HRESULT SetVolume(LONG volume) = 0;
  // Hundredths of a decibel taken off the other side: negative attenuates the right channel.
  virtual HRESULT SetPan(LONG pan) = 0;
  // Playback rate in samples per second, or DSBFREQUENCY_ORIGINAL for the format's own.
  virtual HRESULT SetFrequency(DWORD frequency) = 0;
  // Keeps the play position, so Play goes on from where the buffer stopped.
  virtual HRESULT Stop() = 0;
  virtual HRESULT Unlock(LPVOID audio1, DWORD bytes1, LPVOID audio2, DWORD bytes2) = 0;
  // Ends the lost state; the contents are silence afterwards and must be written again.
  virtual HRESULT Restore() = 0;
};
typedef IDirectSoundBuffer* LPDIRECTSOUNDBUFFER;

struct IDirectSoundNotify : IUnknown {
  // Events signalled when the play cursor passes each offset (DSBPN_OFFSETSTOP: when the buffer
  // stops). Only while the buffer is stopped.
  virtual HRESULT SetNotificationPositions(DWORD count, LPCDSBPOSITIONNOTIFY positions) = 0;
};
typedef IDirectSoundNotify* LPDIRECTSOUNDNOTIFY;

struct IDirectSound : IUnknown {
  virtual HRESULT CreateSoundBuffer(LPCDSBUFFERDESC description, LPDIRECTSOUNDBUFFER* buffer,
                                    LPUNKNOWN outer) = 0;
  virtual HRESULT GetCaps(LPDSCAPS caps) = 0;
  // Any window, or none: the output has no focus of its own.
  virtual HRESULT SetCooperativeLevel(HWND window, DWORD level) = 0;
  virtual HRESULT SetSpeakerConfig(DWORD config) = 0;
};
typedef IDirectSound* LPDIRECTSOUND;

// The default device: the audio output when there is one, else a silent output that keeps time.
HRESULT DirectSoundCreate(const GUID* device, LPDIRECTSOUND* directSound, LPUNKNOWN outer);

namespace platform {

enum class AudioOutput {
  kDevice,  // the system's audio device, or the silent output when there is none
  kSilent,  // no sound, but the mixer runs in real time
  kManual,  // nothing runs by itself: Mix pulls the output
};

// Output rate of every device: 16-bit stereo frames a second.
constexpr uint32_t kAudioOutputRate = 44100;

// Output of the devices created from now on.
void SetAudioOutput(AudioOutput output);
// Mixes the next frames of the newest device with a manual output: interleaved left, right.
std::vector<int16_t> Mix(uint32_t frames);
// Every existing buffer becomes lost, as when another program takes the device.
void LoseSoundBuffers();
// Mixer state of the buffers of all devices, in the order of their creation.
struct SoundBufferState {
  bool playing = false;
  bool looping = false;
  bool lost = false;
  DWORD bytes = 0;
  DWORD playCursor = 0;
  LONG volume = 0;
  LONG pan = 0;
  DWORD frequency = 0;
};
std::vector<SoundBufferState> ListSoundBuffers();
// Unlocks of the buffers of all devices since the process started, and a wait for the count to
// reach a value (false when the time limit passes first), for tests of threads that write buffers.
uint64_t SoundUnlockCount();
bool WaitForSoundUnlocks(uint64_t count, uint32_t milliseconds);

}  // namespace platform
