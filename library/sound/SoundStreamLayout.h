// The looping buffer of streams and modules: two halves, each refilled while the other plays.
#pragma once

constexpr int kStreamBufferBytes = 0x20000;
constexpr int kStreamHalfBytes = 0x10000;
// 16-bit stereo frames in one half of a module's buffer.
constexpr int kModuleHalfFrames = kStreamHalfBytes / 4;
