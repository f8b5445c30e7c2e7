#pragma once
// The forward DCT (the fast floating-point factorisation whose output is scaled by
// 8 * a(u) * a(v)) and quantisation of one 8 x 8 block.
#include <array>
#include <cstddef>
#include <cstdint>

#include "alarm/jpeg/jpeg_quant.h"

namespace miravela::jpeg {

// Scaled DCT of a block in natural order: out[v * 8 + u] = 8 a(u) a(v) F(u, v).
void ScaledForwardDct(const float in[64], float out[64]);

// Where the k-th coefficient in zig-zag order sits in a column-major block
// (index u * 8 + v, u the horizontal frequency).
extern const std::array<std::uint8_t, 64> kZigzagFromColumnMajor;

// Transforms the 8 x 8 level-shifted samples starting at `samples` (rows `stride`
// apart), divides by the divisors and rounds halves to even. The coefficients are
// left column-major; the result has bit k set when the k-th coefficient in zig-zag
// order is not zero, so that coding visits only those.
std::uint64_t TransformBlock(const std::int8_t* samples, std::ptrdiff_t stride, const QuantDivisors& divisors,
                             std::int16_t columnMajor[64]);

// The same, as fast as this processor allows (eight columns at once where it has
// 256-bit vectors); the results are identical.
using TransformFunction = std::uint64_t (*)(const std::int8_t*, std::ptrdiff_t, const QuantDivisors&, std::int16_t*);
TransformFunction FastestTransform();

}  // namespace miravela::jpeg
