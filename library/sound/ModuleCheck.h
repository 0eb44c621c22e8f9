// What the module player is not handed: files it would fail on, found before it opens them.
#pragma once

#include <cstddef>
#include <cstdint>

// False when the bytes are a module of a kind the player would fail on:
// - an IT, XM or S3M module whose header gives an initial tempo of 0 (the player divides by it);
// - an IT or S3M sample longer than the file can hold (the player allocates it before reading it)
//   or at a rate above 9999999 Hz;
// - an XM pattern of no rows, which the format does not have;
// - an XM module with more patterns, instruments or samples than the format holds, an instrument
//   the player cannot read (sample headers not of 40 bytes, an envelope of more than 12 points or
//   above 64, a vibrato waveform it lacks), or instruments or samples that run past the file's end
//   (the player loses the samples it has read by then);
// - an IT module with a compressed stereo sample (the player ends the process), a row with two
//   entries on one channel (the player writes a file about it) or a pattern entry cut short (the
//   player reads past the pattern).
// Anything else is left to the player's own checks.
bool ModulePlayable(const uint8_t* data, size_t size);
