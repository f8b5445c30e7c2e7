// The transform with 256-bit vectors. This whole file is compiled for AVX2 and is
// only entered through FastestTransform, which checks the processor first.
#if defined(__x86_64__) && defined(__GNUC__)
#pragma GCC target("avx2")

#include "alarm/jpeg/jpeg_dct_wide_steps.h"

namespace miravela::jpeg {

std::uint64_t TransformBlockWide(const std::int8_t* samples, std::ptrdiff_t stride, const QuantDivisors& divisors,
                                 std::int16_t columnMajor[64]) {
  __m128i packed[8];
  TransformAndQuantise(samples, stride, divisors, columnMajor, packed);
  const __m128i zero = _mm_setzero_si128();
  std::uint64_t zeros = 0;
#pragma GCC unroll 4
  for (int u = 0; u < 8; u += 2) {
    const __m128i flags = _mm_packs_epi16(_mm_cmpeq_epi16(packed[u], zero), _mm_cmpeq_epi16(packed[u + 1], zero));
    zeros |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(flags))) << (8 * u);
  }
  return ToZigzagMask(~zeros);
}

}  // namespace miravela::jpeg

#endif
