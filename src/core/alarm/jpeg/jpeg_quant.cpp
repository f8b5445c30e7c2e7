#include "alarm/jpeg/jpeg_quant.h"

#include <cmath>

namespace miravela::jpeg {

const std::array<std::uint8_t, 64> kZigzagToNatural = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                                       12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                                       35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                                       58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

namespace {

// The example tables of the standard, written here in natural order for readability.
constexpr std::uint8_t kLuminanceNatural[64] = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                                14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                                18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                                49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::uint8_t kChrominanceNatural[64] = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                                  24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

QuantTable ToZigzag(const std::uint8_t (&natural)[64]) {
  QuantTable t{};
  for (int k = 0; k < 64; ++k) t[k] = natural[kZigzagToNatural[k]];
  return t;
}

// numerator / denominator to the nearest whole number, halves to even; both positive.
long DivideHalfEven(long numerator, long denominator) {
  long quotient = numerator / denominator;
  const long twiceRemainder = 2 * (numerator % denominator);
  if (twiceRemainder > denominator || (twiceRemainder == denominator && quotient % 2 != 0)) ++quotient;
  return quotient;
}

int QualityScale(int quality) {
  return quality < 50 ? static_cast<int>(DivideHalfEven(5000, quality)) : 200 - 2 * quality;
}

}  // namespace

const QuantTable& BaseLuminanceTable() {
  static const QuantTable table = ToZigzag(kLuminanceNatural);
  return table;
}

const QuantTable& BaseChrominanceTable() {
  static const QuantTable table = ToZigzag(kChrominanceNatural);
  return table;
}

QuantTable ScaleTable(const QuantTable& base, int quality) {
  const long scale = QualityScale(quality);
  QuantTable scaled{};
  for (int k = 0; k < 64; ++k) {
    long value = DivideHalfEven(base[k] * scale + 50, 100);
    if (value < 1) value = 1;
    if (value > 255) value = 255;
    scaled[k] = static_cast<std::uint8_t>(value);
  }
  return scaled;
}

QuantDivisors MakeDivisors(const QuantTable& table) {
  double a[8];
  a[0] = 1.0;
  for (int k = 1; k < 8; ++k) a[k] = std::sqrt(2.0) * std::cos(k * M_PI / 16.0);
  QuantDivisors d{};
  for (int k = 0; k < 64; ++k) {
    const int natural = kZigzagToNatural[k];
    const int v = natural / 8, u = natural % 8;
    d.reciprocal[u * 8 + v] = static_cast<float>(1.0 / (table[k] * 8.0 * a[u] * a[v]));
  }
  return d;
}

}  // namespace miravela::jpeg
