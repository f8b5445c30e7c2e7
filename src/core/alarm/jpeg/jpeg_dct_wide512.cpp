// The 256-bit transform with the zig-zag mask taken by 512-bit word permutes instead
// of table look-ups. This whole file is compiled for AVX-512 (F and BW) and is only
// entered through FastestTransform, which checks the processor first.
#if defined(__x86_64__) && defined(__GNUC__)
#pragma GCC target("avx2,avx512f,avx512bw")

#include <array>

#include "alarm/jpeg/jpeg_dct_wide_steps.h"

namespace miravela::jpeg {

namespace {

// For each zig-zag position, the column-major index of its coefficient, as 16-bit
// permute indexes. Built at compile time: nothing here may run before the check.
struct ZigzagIndexes {
  alignas(64) std::uint16_t index[64]{};
  constexpr ZigzagIndexes() {
    // Natural (row-major) position of each zig-zag position.
    constexpr std::array<int, 64> natural = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                             12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                             35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                             58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};
    for (int k = 0; k < 64; ++k) index[k] = static_cast<std::uint16_t>((natural[k] % 8) * 8 + natural[k] / 8);
  }
};
constexpr ZigzagIndexes kZigzag{};

// This compiler's header builds the insert on an "undefined" register and then
// warns about it; every lane of the result is set here.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wuninitialized"
inline __m512i FourRows(const __m128i* p) {
  return _mm512_inserti64x4(_mm512_castsi256_si512(_mm256_set_m128i(p[1], p[0])), _mm256_set_m128i(p[3], p[2]), 1);
}
#pragma GCC diagnostic pop

}  // namespace

std::uint64_t TransformBlockWideZigzag(const std::int8_t* samples, std::ptrdiff_t stride, const QuantDivisors& divisors,
                                       std::int16_t columnMajor[64]) {
  __m128i packed[8];
  TransformAndQuantise(samples, stride, divisors, columnMajor, packed);
  // The 64 coefficients in two registers, permuted into zig-zag order; bit k of the
  // result is set when the k-th is not zero.
  const __m512i first = FourRows(packed), second = FourRows(packed + 4);
  const __m512i zigzag0 = _mm512_permutex2var_epi16(first, _mm512_load_si512(kZigzag.index), second);
  const __m512i zigzag1 = _mm512_permutex2var_epi16(first, _mm512_load_si512(kZigzag.index + 32), second);
  return static_cast<std::uint64_t>(_mm512_test_epi16_mask(zigzag0, zigzag0)) |
         (static_cast<std::uint64_t>(_mm512_test_epi16_mask(zigzag1, zigzag1)) << 32);
}

}  // namespace miravela::jpeg

#endif
