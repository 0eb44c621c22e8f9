// Four numbers worked on at once, in the compiler's vector types: each operation becomes one SIMD
// instruction where the processor has them (SSE on x86-64) and a short loop elsewhere. Every lane
// is worked out alike and masks keep or drop what it adds, so that code over four vertices at a
// time has no branch for a single vertex. Vectors of three are spelled out component by
// component, not looped over: the compiler keeps short loops, and their arrays in memory.
#pragma once

#include <cmath>
#include <cstdint>

#if defined(__SSE__)
#include <xmmintrin.h>
#endif

namespace platform::directx {

constexpr int kLanes = 4;
using Floats = float __attribute__((vector_size(kLanes * sizeof(float))));
// Whole numbers, and the masks that comparisons give: -1 in a lane where it holds, else 0.
using Ints = int32_t __attribute__((vector_size(kLanes * sizeof(int32_t))));

inline Floats Splat(float value) {
  return Floats{} + value;
}

// `value` in the lanes of the mask, 0 in the others.
inline Floats Keep(Ints mask, Floats value) {
  return mask ? value : Floats{};
}

// std::sqrt may set errno, so the compiler works it out one lane at a time.
inline Floats SquareRoot(Floats value) {
#if defined(__SSE__)
  return _mm_sqrt_ps(value);
#else
  for (int k = 0; k < kLanes; ++k) value[k] = std::sqrt(value[k]);
  return value;
#endif
}

// a > b ? a : b and a < b ? a : b, lane by lane: NaN in a gives b.
inline Floats Maximum(Floats a, Floats b) {
#if defined(__SSE__)
  return _mm_max_ps(a, b);
#else
  return a > b ? a : b;
#endif
}

inline Floats Minimum(Floats a, Floats b) {
#if defined(__SSE__)
  return _mm_min_ps(a, b);
#else
  return a < b ? a : b;
#endif
}

// Four floats from `bytes`, which need not be aligned.
inline Floats Load(const unsigned char* bytes) {
  Floats value;
  __builtin_memcpy(&value, bytes, sizeof value);
  return value;
}

// Four vectors of three components.
struct Lanes3 {
  Floats x, y, z;
};

// Four vectors of four components.
struct Lanes4 {
  Floats x, y, z, w;
};

// Four rows of four floats as columns: float j of row k becomes lane k of component j.
inline Lanes4 Transpose(Floats row0, Floats row1, Floats row2, Floats row3) {
  const Floats low0 = __builtin_shufflevector(row0, row1, 0, 4, 1, 5);
  const Floats low1 = __builtin_shufflevector(row2, row3, 0, 4, 1, 5);
  const Floats high0 = __builtin_shufflevector(row0, row1, 2, 6, 3, 7);
  const Floats high1 = __builtin_shufflevector(row2, row3, 2, 6, 3, 7);
  return {__builtin_shufflevector(low0, low1, 0, 1, 4, 5),
          __builtin_shufflevector(low0, low1, 2, 3, 6, 7),
          __builtin_shufflevector(high0, high1, 0, 1, 4, 5),
          __builtin_shufflevector(high0, high1, 2, 3, 6, 7)};
}

// The products of the components summed in order, as for a single vector.
inline Floats Dot(const Lanes3& a, const Lanes3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

inline Floats Dot(const Lanes3& a, const Floats b[3]) {
  return a.x * b[0] + a.y * b[1] + a.z * b[2];
}

// v . rows for the first three rows and columns, as row vectors are transformed.
template <typename Rows>
Lanes3 Turn(const Lanes3& v, const Rows& rows) {
  return {v.x * rows[0][0] + v.y * rows[1][0] + v.z * rows[2][0],
          v.x * rows[0][1] + v.y * rows[1][1] + v.z * rows[2][1],
          v.x * rows[0][2] + v.y * rows[1][2] + v.z * rows[2][2]};
}

}  // namespace platform::directx
