#pragma once
// The steps of the 256-bit transform, shared by the files compiled for AVX2 and for
// AVX-512. Include only after the file's own target pragma: everything here takes
// the instruction set of the including file and stays local to it.
#include <immintrin.h>

#include "alarm/jpeg/jpeg_dct_flow.h"

namespace miravela::jpeg {
namespace {

struct Vec8 {
  __m256 v;
  Vec8 operator+(Vec8 o) const { return {_mm256_add_ps(v, o.v)}; }
  Vec8 operator-(Vec8 o) const { return {_mm256_sub_ps(v, o.v)}; }
};
inline Vec8 MulVec8(Vec8 a, float b) { return {_mm256_mul_ps(a.v, _mm256_set1_ps(b))}; }

inline void Transpose8(Vec8 (&r)[8]) {
  __m256 t[8], s[8];
#pragma GCC unroll 4
  for (int i = 0; i < 4; ++i) {
    t[2 * i] = _mm256_unpacklo_ps(r[2 * i].v, r[2 * i + 1].v);
    t[2 * i + 1] = _mm256_unpackhi_ps(r[2 * i].v, r[2 * i + 1].v);
  }
#pragma GCC unroll 2
  for (int i = 0; i < 2; ++i) {
    s[4 * i + 0] = _mm256_shuffle_ps(t[4 * i], t[4 * i + 2], _MM_SHUFFLE(1, 0, 1, 0));
    s[4 * i + 1] = _mm256_shuffle_ps(t[4 * i], t[4 * i + 2], _MM_SHUFFLE(3, 2, 3, 2));
    s[4 * i + 2] = _mm256_shuffle_ps(t[4 * i + 1], t[4 * i + 3], _MM_SHUFFLE(1, 0, 1, 0));
    s[4 * i + 3] = _mm256_shuffle_ps(t[4 * i + 1], t[4 * i + 3], _MM_SHUFFLE(3, 2, 3, 2));
  }
#pragma GCC unroll 4
  for (int i = 0; i < 4; ++i) {
    r[i].v = _mm256_permute2f128_ps(s[i], s[4 + i], 0x20);
    r[4 + i].v = _mm256_permute2f128_ps(s[i], s[4 + i], 0x31);
  }
}

// The block transformed and quantised: packed[u] holds the coefficients (u, v = 0..7),
// also stored column-major.
inline void TransformAndQuantise(const std::int8_t* samples, std::ptrdiff_t stride, const QuantDivisors& divisors,
                                 std::int16_t columnMajor[64], __m128i (&packed)[8]) {
  Vec8 r[8];
  // Unrolled so that the block stays in registers.
#pragma GCC unroll 8
  for (int i = 0; i < 8; ++i)
    r[i].v = _mm256_cvtepi32_ps(
        _mm256_cvtepi8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(samples + i * stride))));
  Dct8(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], MulVec8);
  Transpose8(r);
  Dct8(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], MulVec8);
  // r[u] now holds F(u, v = 0..7); quantise as the narrow path does.
#pragma GCC unroll 8
  for (int u = 0; u < 8; ++u) {
    const __m256i q = _mm256_cvtps_epi32(_mm256_mul_ps(r[u].v, _mm256_loadu_ps(divisors.reciprocal + u * 8)));
    packed[u] = _mm_packs_epi32(_mm256_castsi256_si128(q), _mm256_extracti128_si256(q, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(columnMajor + u * 8), packed[u]);
  }
}

}  // namespace
}  // namespace miravela::jpeg
