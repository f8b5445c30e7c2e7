// Compiled for SSSE3 as a whole; entered only after HasByteShuffles.
#include "alarm/jpeg/jpeg_sampling_wide.h"

#if defined(__x86_64__) && defined(__GNUC__)
#pragma GCC target("ssse3")
#include <tmmintrin.h>

namespace miravela::jpeg {

namespace {

// Shuffle masks taking byte `offset` of every pixel of 16 pixels (48 bytes in three
// registers) from register `part` into its place; 0x80 clears a byte.
// Built at compile time: nothing in this file runs before the processor is checked.
struct SplitMasks {
  alignas(16) std::uint8_t mask[3][3][16]{};  // [channel offset][register][byte]
  constexpr SplitMasks() {
    for (int offset = 0; offset < 3; ++offset)
      for (int part = 0; part < 3; ++part)
        for (int k = 0; k < 16; ++k) {
          const int source = 3 * k + offset;
          mask[offset][part][k] = source / 16 == part ? static_cast<std::uint8_t>(source % 16) : 0x80;
        }
  }
};
constexpr SplitMasks kMasks{};

inline __m128i Channel(__m128i a, __m128i b, __m128i c, int offset) {
  const auto* m = kMasks.mask[offset];
  return _mm_or_si128(_mm_or_si128(_mm_shuffle_epi8(a, _mm_load_si128(reinterpret_cast<const __m128i*>(m[0]))),
                                   _mm_shuffle_epi8(b, _mm_load_si128(reinterpret_cast<const __m128i*>(m[1])))),
                      _mm_shuffle_epi8(c, _mm_load_si128(reinterpret_cast<const __m128i*>(m[2]))));
}

}  // namespace

void SplitThreeBytePixels(const std::uint8_t* px, int width, int redOffset, std::uint8_t* r, std::uint8_t* g,
                          std::uint8_t* b) {
  const int blueOffset = 2 - redOffset;
  int x = 0;
  for (; x + 16 <= width; x += 16, px += 48) {
    const __m128i p0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px));
    const __m128i p1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px + 16));
    const __m128i p2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px + 32));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(r + x), Channel(p0, p1, p2, redOffset));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(g + x), Channel(p0, p1, p2, 1));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(b + x), Channel(p0, p1, p2, blueOffset));
  }
  for (; x < width; ++x, px += 3) {
    r[x] = px[redOffset];
    g[x] = px[1];
    b[x] = px[blueOffset];
  }
}

void SplitFourBytePixels(const std::uint8_t* px, int width, std::uint8_t* r, std::uint8_t* g, std::uint8_t* b) {
  // Each register's four pixels grouped by channel, then a 4 x 4 transpose of words.
  const __m128i group = _mm_setr_epi8(0, 4, 8, 12, 1, 5, 9, 13, 2, 6, 10, 14, 3, 7, 11, 15);
  int x = 0;
  for (; x + 16 <= width; x += 16, px += 64) {
    const auto* in = reinterpret_cast<const __m128i*>(px);
    const __m128i a = _mm_shuffle_epi8(_mm_loadu_si128(in), group);
    const __m128i bb = _mm_shuffle_epi8(_mm_loadu_si128(in + 1), group);
    const __m128i c = _mm_shuffle_epi8(_mm_loadu_si128(in + 2), group);
    const __m128i d = _mm_shuffle_epi8(_mm_loadu_si128(in + 3), group);
    const __m128i blueGreenAB = _mm_unpacklo_epi32(a, bb), blueGreenCD = _mm_unpacklo_epi32(c, d);
    const __m128i redAB = _mm_unpackhi_epi32(a, bb), redCD = _mm_unpackhi_epi32(c, d);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(b + x), _mm_unpacklo_epi64(blueGreenAB, blueGreenCD));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(g + x), _mm_unpackhi_epi64(blueGreenAB, blueGreenCD));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(r + x), _mm_unpacklo_epi64(redAB, redCD));
  }
  for (; x < width; ++x, px += 4) {
    b[x] = px[0];
    g[x] = px[1];
    r[x] = px[2];
  }
}

}  // namespace miravela::jpeg

#else

namespace miravela::jpeg {
void SplitThreeBytePixels(const std::uint8_t*, int, int, std::uint8_t*, std::uint8_t*, std::uint8_t*) {}
void SplitFourBytePixels(const std::uint8_t*, int, std::uint8_t*, std::uint8_t*, std::uint8_t*) {}
}  // namespace miravela::jpeg

#endif
