// Decoding helpers shared by the samples and the streams.
#pragma once

#include <vorbis/vorbisfile.h>

#include "platform/directsound.h"

// A stream damaged enough to give only holes is given up after this many in a row.
constexpr int kMostVorbisHoles = 64;

// 16-bit PCM of the given layout.
WAVEFORMATEX PcmFormat(WORD channels, DWORD rate);
// Decodes 16-bit little-endian PCM until the buffer is full or the stream ends, stepping over
// holes in the data. The bytes decoded, or the decoder's error when nothing was.
long DecodeVorbis(OggVorbis_File& decoder, char* destination, long capacity);
// The PCM bytes from the decoder's place to the end; -1 beyond `limit` or on an error.
long CountVorbisBytes(OggVorbis_File& decoder, long limit);
