// The colour transform with 256-bit vectors. This whole file is compiled for AVX2 and
// is only entered after HasWideVectors.
#include "alarm/jpeg/jpeg_sampling_wide.h"

#if defined(__x86_64__) && defined(__GNUC__)
#pragma GCC target("avx2")
#include <immintrin.h>

namespace miravela::jpeg {

namespace {

// Sixteen samples (16-bit, in pixel order) of one component: the unpacks and the pack
// both work within 128-bit halves, so the order comes out as it went in.
inline __m256i SixteenSamples(__m256i r, __m256i g, __m256i b, __m256i redGreen, __m256i blueHalf) {
  const __m256i one = _mm256_set1_epi16(1);
  const __m256i lo = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpacklo_epi16(r, g), redGreen),
                                      _mm256_madd_epi16(_mm256_unpacklo_epi16(b, one), blueHalf));
  const __m256i hi = _mm256_add_epi32(_mm256_madd_epi16(_mm256_unpackhi_epi16(r, g), redGreen),
                                      _mm256_madd_epi16(_mm256_unpackhi_epi16(b, one), blueHalf));
  return _mm256_packs_epi32(_mm256_srai_epi32(lo, 15), _mm256_srai_epi32(hi, 15));
}

inline __m256i Widen(const std::uint8_t* p) {
  return _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
}

// Four blocks' rows of eight samples.
inline void StoreFourBlocks(__m256i samples, std::int8_t* to) {
  const __m128i first = _mm256_castsi256_si128(samples), second = _mm256_extracti128_si256(samples, 1);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(to), first);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 64), _mm_unpackhi_epi64(first, first));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 128), second);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(to + 192), _mm_unpackhi_epi64(second, second));
}

}  // namespace

void SampleIntoBlocksWide(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, int count,
                          const BlockRow* targets, int targetCount) {
  for (int x = 0; x < count; x += 32) {
    const __m256i r0 = Widen(r + x), g0 = Widen(g + x), b0 = Widen(b + x);
    const __m256i r1 = Widen(r + x + 16), g1 = Widen(g + x + 16), b1 = Widen(b + x + 16);
    for (int t = 0; t < targetCount; ++t) {
      const ColourWeights& w = *targets[t].weights;
      const __m256i redGreen = _mm256_set1_epi32((w.green << 16) | static_cast<std::uint16_t>(w.red));
      const __m256i blueHalf = _mm256_set1_epi32((kRoundingHalf << 16) | static_cast<std::uint16_t>(w.blue));
      const __m256i offset = _mm256_set1_epi16(static_cast<short>(w.offset));
      const __m256i first = _mm256_sub_epi16(SixteenSamples(r0, g0, b0, redGreen, blueHalf), offset);
      const __m256i second = _mm256_sub_epi16(SixteenSamples(r1, g1, b1, redGreen, blueHalf), offset);
      // The byte pack interleaves the halves; the permute puts them back in order.
      const __m256i bytes = _mm256_permute4x64_epi64(_mm256_packs_epi16(first, second), _MM_SHUFFLE(3, 1, 2, 0));
      StoreFourBlocks(bytes, targets[t].row + (x / 8) * 64);
    }
  }
}

}  // namespace miravela::jpeg

#else

namespace miravela::jpeg {
void SampleIntoBlocksWide(const std::uint8_t*, const std::uint8_t*, const std::uint8_t*, int, const BlockRow*, int) {}
}  // namespace miravela::jpeg

#endif
