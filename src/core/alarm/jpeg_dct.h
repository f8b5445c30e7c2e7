#pragma once
// The forward DCT (the fast floating-point factorisation whose output is scaled by
// 8 * a(u) * a(v)) and quantisation of one 8 x 8 block.
#include <cstddef>
#include <cstdint>

#include "alarm/jpeg_quant.h"

namespace miravela::jpeg {

// Scaled DCT of a block in natural order: out[v * 8 + u] = 8 a(u) a(v) F(u, v).
void ScaledForwardDct(const float in[64], float out[64]);

// Transforms the 8 x 8 level-shifted samples starting at `samples` (rows `stride`
// apart), divides by the divisors, rounds halves to even and writes the
// coefficients in zig-zag order.
void TransformBlock(const std::int8_t* samples, std::ptrdiff_t stride,
                    const QuantDivisors& divisors, std::int16_t zigzag[64]);

}  // namespace miravela::jpeg
