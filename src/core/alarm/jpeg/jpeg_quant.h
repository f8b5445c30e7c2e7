#pragma once
// Quantisation tables: the two base tables, quality scaling, and the per-coefficient
// divisors the DCT stage multiplies by.
#include <array>
#include <cstdint>

namespace miravela::jpeg {

using QuantTable = std::array<std::uint8_t, 64>;  // zig-zag order

// Position in natural (row-major) order of the k-th coefficient in zig-zag order.
extern const std::array<std::uint8_t, 64> kZigzagToNatural;

const QuantTable& BaseLuminanceTable();
const QuantTable& BaseChrominanceTable();

// The table for a quality of 1..100; halves round to the even neighbour.
QuantTable ScaleTable(const QuantTable& base, int quality);

// Reciprocals of q(u,v) * 8 * a(u) * a(v), laid out the way the fast DCT leaves its
// output (column-major: index u * 8 + v, u the horizontal frequency).
struct QuantDivisors {
  alignas(16) float reciprocal[64];
};
QuantDivisors MakeDivisors(const QuantTable& table);

}  // namespace miravela::jpeg
