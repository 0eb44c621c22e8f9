// Several numbers worked on at once, in the compiler's vector types: each operation becomes one
// SIMD instruction where the processor has them and a short loop elsewhere. Every lane is worked
// out alike and masks keep or drop what it adds, so that code over several vertices at a time has
// no branch for a single vertex. Vectors of three are spelled out component by component, not
// looped over: the compiler keeps short loops, and their arrays in memory.
//
// The lanes are as wide as the file that includes this is compiled for: eight floats with AVX2,
// four otherwise (SSE on x86-64). They are the file's own (in an unnamed namespace), so that files
// compiled for different widths never share one another's code.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>

#if defined(__SSE__)
#include <immintrin.h>
#endif

namespace platform::directx {
namespace {

#if defined(__AVX2__)
constexpr int kLanes = 8;
#else
constexpr int kLanes = 4;
#endif
using Floats = float __attribute__((vector_size(kLanes * sizeof(float))));
// Whole numbers, and the masks that comparisons give: -1 in a lane where it holds, else 0.
using Ints = int32_t __attribute__((vector_size(kLanes * sizeof(int32_t))));
// Four floats: what one load of a vertex reads.
using Quad = float __attribute__((vector_size(4 * sizeof(float))));

inline Floats Splat(float value) {
  return Floats{} + value;
}

// `value` in the lanes of the mask, 0 in the others.
inline Floats Keep(Ints mask, Floats value) {
  return mask ? value : Floats{};
}

// std::sqrt may set errno, so the compiler works it out one lane at a time.
inline Floats SquareRoot(Floats value) {
#if defined(__AVX2__)
  return _mm256_sqrt_ps(value);
#elif defined(__SSE__)
  return _mm_sqrt_ps(value);
#else
  for (int k = 0; k < kLanes; ++k) value[k] = std::sqrt(value[k]);
  return value;
#endif
}

// The value clamped to 0..1 in each lane, NaN taken for 0: the maximum with 0 and then the
// minimum with 1, each of which gives its second operand where the first is NaN.
inline Floats ClampToUnit(Floats value) {
#if defined(__AVX2__)
  return _mm256_min_ps(_mm256_max_ps(value, Floats{}), Splat(1.0f));
#elif defined(__SSE__)
  return _mm_min_ps(_mm_max_ps(value, Floats{}), Splat(1.0f));
#else
  const Floats positive = value > 0.0f ? value : Floats{};
  return positive < 1.0f ? positive : Splat(1.0f);
#endif
}

// Vectors of three and of four components, one vector a lane.
struct Lanes3 {
  Floats x, y, z;
};
struct Lanes4 {
  Floats x, y, z, w;
};

inline Quad Load(const unsigned char* bytes) {
  Quad value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

struct Quads {
  Quad x, y, z, w;
};

// Four rows of four floats as columns: float j of row k becomes lane k of component j.
inline Quads Transpose(Quad row0, Quad row1, Quad row2, Quad row3) {
  const Quad low0 = __builtin_shufflevector(row0, row1, 0, 4, 1, 5);
  const Quad low1 = __builtin_shufflevector(row2, row3, 0, 4, 1, 5);
  const Quad high0 = __builtin_shufflevector(row0, row1, 2, 6, 3, 7);
  const Quad high1 = __builtin_shufflevector(row2, row3, 2, 6, 3, 7);
  return {__builtin_shufflevector(low0, low1, 0, 1, 4, 5),
          __builtin_shufflevector(low0, low1, 2, 3, 6, 7),
          __builtin_shufflevector(high0, high1, 0, 1, 4, 5),
          __builtin_shufflevector(high0, high1, 2, 3, 6, 7)};
}

// The four floats at byte offset `offset` of each lane's vertex, read in one load each.
inline Lanes4 Gather(const unsigned char* const vertices[kLanes], int offset) {
  const Quads low = Transpose(Load(vertices[0] + offset), Load(vertices[1] + offset),
                              Load(vertices[2] + offset), Load(vertices[3] + offset));
#if defined(__AVX2__)
  const Quads high = Transpose(Load(vertices[4] + offset), Load(vertices[5] + offset),
                               Load(vertices[6] + offset), Load(vertices[7] + offset));
  auto join = [](Quad a, Quad b) { return __builtin_shufflevector(a, b, 0, 1, 2, 3, 4, 5, 6, 7); };
  return {join(low.x, high.x), join(low.y, high.y), join(low.z, high.z), join(low.w, high.w)};
#else
  return {low.x, low.y, low.z, low.w};
#endif
}

// The 32-bit word at byte offset `offset` of each lane's vertex.
inline Ints GatherWords(const unsigned char* const vertices[kLanes], int offset) {
  Ints words;
  for (int k = 0; k < kLanes; ++k) {
    int32_t word;
    std::memcpy(&word, vertices[k] + offset, sizeof word);
    words[k] = word;
  }
  return words;
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

}  // namespace
}  // namespace platform::directx
