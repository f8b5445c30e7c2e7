#pragma once
// Inside the DCT stage: the one-dimensional flow graph shared by every vector width,
// and the pieces the wide (256-bit) transform in its own file needs.
#include <cstddef>
#include <cstdint>

#include "alarm/jpeg/jpeg_quant.h"

namespace miravela::jpeg {

constexpr float kC4 = 0.707106781f;   // cos(4 pi / 16)
constexpr float kC6S = 0.382683433f;  // cos(6 pi / 16)
constexpr float kC2mC6 = 0.541196100f;
constexpr float kC2pC6 = 1.306562965f;

// One-dimensional pass over eight values; T is float or a vector of floats, so the
// same flow graph serves the scalar path and four columns at once.
template <typename T, typename Scale>
inline void Dct8(T& d0, T& d1, T& d2, T& d3, T& d4, T& d5, T& d6, T& d7, Scale mul) {
  const T t0 = d0 + d7, t7 = d0 - d7;
  const T t1 = d1 + d6, t6 = d1 - d6;
  const T t2 = d2 + d5, t5 = d2 - d5;
  const T t3 = d3 + d4, t4 = d3 - d4;

  const T e10 = t0 + t3, e13 = t0 - t3;
  const T e11 = t1 + t2, e12 = t1 - t2;
  d0 = e10 + e11;
  d4 = e10 - e11;
  const T z1 = mul(e12 + e13, kC4);
  d2 = e13 + z1;
  d6 = e13 - z1;

  const T o10 = t4 + t5, o11 = t5 + t6, o12 = t6 + t7;
  const T z5 = mul(o10 - o12, kC6S);
  const T z2 = mul(o10, kC2mC6) + z5;
  const T z4 = mul(o12, kC2pC6) + z5;
  const T z3 = mul(o11, kC4);
  const T z11 = t7 + z3, z13 = t7 - z3;
  d5 = z13 + z2;
  d3 = z13 - z2;
  d1 = z11 + z4;
  d7 = z11 - z4;
}

// Bit k of the result is set when column-major coefficient
// kZigzagFromColumnMajor[k] is: the mask re-ordered to zig-zag order.
std::uint64_t ToZigzagMask(std::uint64_t columnMajorMask);

#if defined(__x86_64__) && defined(__GNUC__)
// Eight columns at once; only to be called where the processor has AVX2.
std::uint64_t TransformBlockWide(const std::int8_t* samples, std::ptrdiff_t stride, const QuantDivisors& divisors,
                                 std::int16_t columnMajor[64]);
// The same with the zig-zag mask from 512-bit permutes; only where the processor has
// AVX-512 F and BW.
std::uint64_t TransformBlockWideZigzag(const std::int8_t* samples, std::ptrdiff_t stride, const QuantDivisors& divisors,
                                       std::int16_t columnMajor[64]);
#endif

}  // namespace miravela::jpeg
