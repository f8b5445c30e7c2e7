#include "alarm/jpeg/jpeg_dct.h"

#include <array>
#include <cmath>

#include "alarm/jpeg/jpeg_dct_flow.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace miravela::jpeg {

namespace {

inline float ScalarMul(float a, float b) { return a * b; }

std::array<std::uint8_t, 64> MakeZigzagFromColumnMajor() {
  std::array<std::uint8_t, 64> t{};
  for (int k = 0; k < 64; ++k) {
    const int n = kZigzagToNatural[k];
    t[k] = static_cast<std::uint8_t>((n % 8) * 8 + n / 8);
  }
  return t;
}

// A mask over column-major positions re-ordered to zig-zag positions a byte at a
// time: kByteToZigzag[i][b] holds the zig-zag bits of byte i of the mask being b.
struct ZigzagMaskTables {
  std::uint64_t byteToZigzag[8][256];
  ZigzagMaskTables() {
    std::array<int, 64> zigzagOf{};
    const std::array<std::uint8_t, 64> from = MakeZigzagFromColumnMajor();
    for (int k = 0; k < 64; ++k) zigzagOf[from[k]] = k;
    for (int i = 0; i < 8; ++i)
      for (int b = 0; b < 256; ++b) {
        std::uint64_t m = 0;
        for (int j = 0; j < 8; ++j)
          if (b & (1 << j)) m |= std::uint64_t{1} << zigzagOf[8 * i + j];
        byteToZigzag[i][b] = m;
      }
  }
};
const ZigzagMaskTables kMaskTables;

#if defined(__SSE2__)

inline __m128 VecMul(__m128 a, float b) { return _mm_mul_ps(a, _mm_set1_ps(b)); }

struct Vec {
  __m128 v;
  Vec operator+(Vec o) const { return {_mm_add_ps(v, o.v)}; }
  Vec operator-(Vec o) const { return {_mm_sub_ps(v, o.v)}; }
};
inline Vec MulVec(Vec a, float b) { return {VecMul(a.v, b)}; }

inline void Dct8Vec(Vec (&r)[8]) { Dct8(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], MulVec); }

// Four rows of four floats turned into four columns.
inline void Transpose4(Vec& a, Vec& b, Vec& c, Vec& d) { _MM_TRANSPOSE4_PS(a.v, b.v, c.v, d.v); }

inline void LoadRow(const std::int8_t* p, Vec& lo, Vec& hi) {
  __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
  __m128i words = _mm_srai_epi16(_mm_unpacklo_epi8(bytes, bytes), 8);
  lo.v = _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpacklo_epi16(words, words), 16));
  hi.v = _mm_cvtepi32_ps(_mm_srai_epi32(_mm_unpackhi_epi16(words, words), 16));
}

// The two halves of the block: left[i] holds columns 0..3 of row i, right[i] 4..7.
void TransformColumnMajor(const std::int8_t* samples, std::ptrdiff_t stride, Vec (&left)[8], Vec (&right)[8]) {
  for (int i = 0; i < 8; ++i) LoadRow(samples + i * stride, left[i], right[i]);
  Dct8Vec(left);
  Dct8Vec(right);
  // Transpose the 8 x 8 matrix held as four 4 x 4 quarters.
  Transpose4(left[0], left[1], left[2], left[3]);
  Transpose4(left[4], left[5], left[6], left[7]);
  Transpose4(right[0], right[1], right[2], right[3]);
  Transpose4(right[4], right[5], right[6], right[7]);
  for (int i = 0; i < 4; ++i) std::swap(left[4 + i], right[i]);
  Dct8Vec(left);
  Dct8Vec(right);
}

#endif

}  // namespace

const std::array<std::uint8_t, 64> kZigzagFromColumnMajor = MakeZigzagFromColumnMajor();

std::uint64_t ToZigzagMask(std::uint64_t columnMajorMask) {
  std::uint64_t m = 0;
  for (int i = 0; i < 8; ++i) m |= kMaskTables.byteToZigzag[i][(columnMajorMask >> (8 * i)) & 0xFF];
  return m;
}

void ScaledForwardDct(const float in[64], float out[64]) {
  for (int i = 0; i < 64; ++i) out[i] = in[i];
  for (int row = 0; row < 8; ++row) {
    float* r = out + row * 8;
    Dct8(r[0], r[1], r[2], r[3], r[4], r[5], r[6], r[7], ScalarMul);
  }
  for (int col = 0; col < 8; ++col) {
    float* c = out + col;
    Dct8(c[0], c[8], c[16], c[24], c[32], c[40], c[48], c[56], ScalarMul);
  }
}

#if defined(__SSE2__)

std::uint64_t TransformBlock(const std::int8_t* samples, std::ptrdiff_t stride, const QuantDivisors& divisors,
                             std::int16_t columnMajor[64]) {
  Vec left[8], right[8];
  TransformColumnMajor(samples, stride, left, right);
  // After the second pass left[u] holds F(u, v = 0..3) and right[u] F(u, v = 4..7).
  const __m128i zero = _mm_setzero_si128();
  std::uint64_t zeros = 0;
  __m128i previous = zero;
  for (int u = 0; u < 8; ++u) {
    const float* rec = divisors.reciprocal + u * 8;
    // cvtps2dq rounds to nearest with halves to even under the default rounding mode.
    const __m128i lo = _mm_cvtps_epi32(_mm_mul_ps(left[u].v, _mm_load_ps(rec)));
    const __m128i hi = _mm_cvtps_epi32(_mm_mul_ps(right[u].v, _mm_load_ps(rec + 4)));
    const __m128i packed = _mm_packs_epi32(lo, hi);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(columnMajor + u * 8), packed);
    if (u % 2 == 1) {
      const __m128i flags = _mm_packs_epi16(_mm_cmpeq_epi16(previous, zero), _mm_cmpeq_epi16(packed, zero));
      zeros |= static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(flags))) << (8 * (u - 1));
    }
    previous = packed;
  }
  return ToZigzagMask(~zeros);
}

#else

std::uint64_t TransformBlock(const std::int8_t* samples, std::ptrdiff_t stride, const QuantDivisors& divisors,
                             std::int16_t columnMajor[64]) {
  float in[64], out[64];
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) in[y * 8 + x] = samples[y * stride + x];
  ScaledForwardDct(in, out);
  std::uint64_t nonZero = 0;
  for (int u = 0; u < 8; ++u)
    for (int v = 0; v < 8; ++v) {
      const auto c = static_cast<std::int16_t>(std::nearbyint(out[v * 8 + u] * divisors.reciprocal[u * 8 + v]));
      columnMajor[u * 8 + v] = c;
      if (c != 0) nonZero |= std::uint64_t{1} << (u * 8 + v);
    }
  return ToZigzagMask(nonZero);
}

#endif

TransformFunction FastestTransform() {
#if defined(__x86_64__) && defined(__GNUC__)
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")) return TransformBlockWideZigzag;
  if (__builtin_cpu_supports("avx2")) return TransformBlockWide;
#endif
  return TransformBlock;
}

}  // namespace miravela::jpeg
