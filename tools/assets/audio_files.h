// Writing synthesised sounds as 16-bit PCM WAV files and as Ogg Vorbis files.
#pragma once

#include <string>

#include "sounds.h"

// Both throw std::runtime_error when the file cannot be written.
void WriteWav(const std::string& path, const Samples& samples);
void WriteOggVorbis(const std::string& path, const Samples& samples);
