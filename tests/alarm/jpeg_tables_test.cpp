// Quality scaling, the fast DCT and the fitted Huffman tables, each against a
// straightforward computation of what they must produce.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "alarm/jpeg/jpeg_dct.h"
#include "alarm/jpeg/jpeg_dct_flow.h"
#include "alarm/jpeg/jpeg_error.h"
#include "alarm/jpeg/jpeg_huffman.h"
#include "alarm/jpeg/jpeg_quant.h"
#include "alarm/jpeg/jpeg_sampling.h"
#include "alarm/jpeg/jpeg_sampling_wide.h"

namespace miravela::jpeg {
namespace {

// The scaling rule written out with exact arithmetic: halves go to the even neighbour.
int ExpectedEntry(int base, int quality) {
  const double scale = quality < 50 ? std::nearbyint(5000.0 / quality) : 200 - 2 * quality;
  const double value = std::nearbyint((base * scale + 50) / 100.0);
  return static_cast<int>(std::clamp(value, 1.0, 255.0));
}

TEST(JpegQuantTest, ScaledTablesFollowTheRuleForEveryQuality) {
  for (int q = 1; q <= 100; ++q) {
    const QuantTable y = ScaleTable(BaseLuminanceTable(), q);
    const QuantTable c = ScaleTable(BaseChrominanceTable(), q);
    for (int k = 0; k < 64; ++k) {
      ASSERT_EQ(y[k], ExpectedEntry(BaseLuminanceTable()[k], q)) << "q " << q << " k " << k;
      ASSERT_EQ(c[k], ExpectedEntry(BaseChrominanceTable()[k], q)) << "q " << q << " k " << k;
    }
  }
}

TEST(JpegQuantTest, HalvesRoundToEven) {
  const QuantTable q50 = ScaleTable(BaseLuminanceTable(), 50);
  EXPECT_EQ(q50[0], 16);    // 16.5 stays 16
  EXPECT_EQ(q50[1], 12);    // 11.5 goes to 12
  EXPECT_EQ(q50[63], 100);  // 99.5 goes to 100
  for (std::uint8_t v : ScaleTable(BaseLuminanceTable(), 100)) EXPECT_EQ(v, 1);
  for (std::uint8_t v : ScaleTable(BaseChrominanceTable(), 1)) EXPECT_EQ(v, 255);
  // Quality 16: 5000 / 16 = 312.5 gives a scale of 312; 16 * 312 + 50 = 5042 gives 50.
  EXPECT_EQ(ScaleTable(BaseLuminanceTable(), 16)[0], 50);
  // Quality 90 (scale 20): 10 * 20 + 50 = 250 gives 2 where whole-number division
  // would too, 11 * 20 + 50 = 270 gives 3 where it would give 2.
  const QuantTable q90 = ScaleTable(BaseLuminanceTable(), 90);
  EXPECT_EQ(q90[5], 2);  // base 10
  EXPECT_EQ(q90[1], 3);  // base 11
}

// The DCT by its definition, F(u, v) = 1/4 C(u) C(v) sum f(x, y) cos cos.
double DirectDct(const float in[64], int u, int v) {
  double sum = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      sum += in[y * 8 + x] * std::cos((2 * x + 1) * u * M_PI / 16) * std::cos((2 * y + 1) * v * M_PI / 16);
  const double cu = u == 0 ? M_SQRT1_2 : 1.0, cv = v == 0 ? M_SQRT1_2 : 1.0;
  return 0.25 * cu * cv * sum;
}

double Aan(int k) { return k == 0 ? 1.0 : std::sqrt(2.0) * std::cos(k * M_PI / 16); }

std::array<std::int8_t, 64> RandomBlock(std::mt19937& rng) {
  std::uniform_int_distribution<int> d(-128, 127);
  std::array<std::int8_t, 64> b{};
  for (auto& s : b) s = static_cast<std::int8_t>(d(rng));
  return b;
}

TEST(JpegDctTest, ScaledOutputIsTheDctTimesItsScale) {
  std::mt19937 rng(7);
  for (int trial = 0; trial < 20; ++trial) {
    const auto block = RandomBlock(rng);
    float in[64], out[64];
    for (int i = 0; i < 64; ++i) in[i] = block[i];
    ScaledForwardDct(in, out);
    for (int v = 0; v < 8; ++v)
      for (int u = 0; u < 8; ++u) ASSERT_NEAR(out[v * 8 + u] / (8 * Aan(u) * Aan(v)), DirectDct(in, u, v), 2e-3);
  }
}

TEST(JpegDctTest, TransformBlockQuantisesAndMarksTheNonZeroCoefficients) {
  std::mt19937 rng(11);
  const QuantTable table = ScaleTable(BaseLuminanceTable(), 90);
  const QuantDivisors divisors = MakeDivisors(table);
  int differing = 0;
  for (int trial = 0; trial < 200; ++trial) {
    // Rows 8 apart inside a wider buffer, as in a plane.
    std::array<std::int8_t, 8 * 16> plane{};
    const auto block = RandomBlock(rng);
    float in[64];
    for (int i = 0; i < 64; ++i) plane[(i / 8) * 16 + 3 + i % 8] = block[i], in[i] = block[i];
    alignas(16) std::int16_t columnMajor[64];
    const std::uint64_t nonZero = TransformBlock(plane.data() + 3, 16, divisors, columnMajor);
    for (int k = 0; k < 64; ++k) {
      const int value = columnMajor[kZigzagFromColumnMajor[k]];
      ASSERT_EQ(value != 0, ((nonZero >> k) & 1) != 0) << "k " << k;
      const int n = kZigzagToNatural[k];
      const double exact = DirectDct(in, n % 8, n / 8) / table[k];
      ASSERT_LE(std::abs(value - exact), 0.5 + 1e-3) << "k " << k;
      differing += value != static_cast<int>(std::nearbyint(exact));
    }
  }
  EXPECT_LT(differing, 200 * 64 / 200);  // single-precision rounding may flip a rare near-tie
}

// Every vector transform this processor can run, and the one chosen, against the plain one.
TEST(JpegDctTest, EveryFasterTransformGivesTheSameCoefficients) {
  std::vector<TransformFunction> transforms = {FastestTransform()};
#if defined(__x86_64__) && defined(__GNUC__)
  if (__builtin_cpu_supports("avx2")) transforms.push_back(TransformBlockWide);
  if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw"))
    transforms.push_back(TransformBlockWideZigzag);
#endif
  std::mt19937 rng(13);
  const QuantDivisors divisors = MakeDivisors(ScaleTable(BaseChrominanceTable(), 97));
  for (std::size_t t = 0; t < transforms.size(); ++t) {
    for (int trial = 0; trial < 500; ++trial) {
      const auto block = RandomBlock(rng);
      alignas(16) std::int16_t a[64], b[64];
      const std::uint64_t maskA = TransformBlock(block.data(), 8, divisors, a);
      const std::uint64_t maskB = transforms[t](block.data(), 8, divisors, b);
      ASSERT_EQ(maskA, maskB) << "transform " << t << " trial " << trial;
      for (int i = 0; i < 64; ++i) ASSERT_EQ(a[i], b[i]) << "transform " << t << " trial " << trial << " i " << i;
    }
  }
}

struct CodeCheck {
  std::array<int, 256> length{};
  double kraft = 0;
};

CodeCheck Check(const HuffmanTable& table, const HuffmanCodes& codes) {
  CodeCheck c;
  for (int i = 0; i < table.count; ++i) {
    const int s = table.values[i];
    c.length[s] = codes.length(s);
    c.kraft += std::ldexp(1.0, -codes.length(s));
    // No code may be all ones.
    EXPECT_NE(codes.code(s), (1u << codes.length(s)) - 1) << "symbol " << s;
  }
  return c;
}

// The shortest possible total with lengths of any size (plain Huffman), for comparison.
std::uint64_t UnlimitedHuffmanBits(std::vector<std::uint64_t> w) {
  std::uint64_t total = 0;
  std::sort(w.begin(), w.end(), std::greater<>());
  while (w.size() > 1) {
    const std::uint64_t a = w.back();
    w.pop_back();
    const std::uint64_t b = w.back();
    w.pop_back();
    total += a + b;
    w.insert(std::upper_bound(w.begin(), w.end(), a + b, std::greater<>()), a + b);
  }
  return total;
}

TEST(JpegHuffmanTest, TablesAreCompletePrefixCodesWithoutTheAllOnesCode) {
  std::mt19937 rng(3);
  for (int trial = 0; trial < 50; ++trial) {
    SymbolCounts counts{};
    const int used = 1 + static_cast<int>(rng() % 256);
    for (int i = 0; i < used; ++i) counts[rng() % 256] = static_cast<std::uint32_t>(1 + rng() % 100000);
    const HuffmanTable table = BuildOptimalTable(counts);
    const HuffmanCodes codes = DeriveCodes(table);
    const CodeCheck c = Check(table, codes);
    int symbols = 0;
    for (int s = 0; s < 256; ++s) {
      symbols += counts[s] > 0;
      EXPECT_EQ(counts[s] > 0, c.length[s] > 0) << "symbol " << s;
      EXPECT_LE(c.length[s], 16);
    }
    EXPECT_EQ(table.count, symbols);
    // With the reserved point the code space is full except for one all-ones slot.
    EXPECT_LT(c.kraft, 1.0);
  }
}

TEST(JpegHuffmanTest, LengthsAreOptimalWhenNothingNeedsLimiting) {
  std::mt19937 rng(5);
  for (int trial = 0; trial < 30; ++trial) {
    SymbolCounts counts{};
    std::vector<std::uint64_t> weights{1};  // the reserved symbol
    for (int s = 0; s < 40; ++s) {
      counts[s] = static_cast<std::uint32_t>(1 + rng() % 5000);
      weights.push_back(counts[s]);
    }
    const HuffmanCodes codes = DeriveCodes(BuildOptimalTable(counts));
    std::uint64_t bits = 0;
    for (int s = 0; s < 40; ++s) bits += std::uint64_t{counts[s]} * codes.length(s);
    // Optimal for the symbols plus the reserved one, whose code is then dropped.
    EXPECT_LE(bits, UnlimitedHuffmanBits(weights)) << "trial " << trial;
  }
}

TEST(JpegHuffmanTest, SteepCountsAreLimitedToSixteenBits) {
  SymbolCounts counts{};
  std::uint32_t a = 1, b = 1;
  for (int s = 0; s < 30; ++s) {  // Fibonacci counts make the deepest possible tree
    counts[s] = a;
    const std::uint32_t next = a + b;
    a = b;
    b = next;
  }
  const HuffmanTable table = BuildOptimalTable(counts);
  const HuffmanCodes codes = DeriveCodes(table);
  int longest = 0;
  for (int s = 0; s < 30; ++s) {
    EXPECT_GE(codes.length(s), 1);
    longest = std::max(longest, codes.length(s));
  }
  EXPECT_EQ(longest, 16);  // unlimited, the rarest symbols would need 30 bits
  EXPECT_EQ(table.count, 30);
}

TEST(JpegHuffmanTest, ASingleSymbolGetsAOneBitCode) {
  SymbolCounts counts{};
  counts[0x00] = 1234;
  const HuffmanTable table = BuildOptimalTable(counts);
  const HuffmanCodes codes = DeriveCodes(table);
  EXPECT_EQ(table.count, 1);
  EXPECT_EQ(table.bits[1], 1);
  EXPECT_EQ(codes.length(0), 1);
  EXPECT_EQ(codes.code(0), 0u);
}

TEST(JpegHuffmanTest, InconsistentCountsAreABadTable) {
  struct Case {
    const char* name;
    std::array<int, 17> bits;
    int count;
  };
  const Case cases[] = {
      {"three one-bit codes", {0, 3}, 3},
      {"two one-bit codes use the all-ones code", {0, 2}, 2},
      {"counts disagree with the symbols", {0, 1, 1}, 3},
      {"five two-bit codes", {0, 0, 5}, 5},
  };
  for (const Case& c : cases) {
    HuffmanTable table;
    for (int i = 0; i < 17; ++i) table.bits[i] = static_cast<std::uint8_t>(c.bits[i]);
    table.count = c.count;
    for (int i = 0; i < c.count; ++i) table.values[i] = static_cast<std::uint8_t>(i);
    try {
      DeriveCodes(table);
      ADD_FAILURE() << c.name;
    } catch (const JpegError& e) {
      EXPECT_STREQ(e.what(), "Bad Huffman Table") << c.name;
      EXPECT_EQ(e.number(), 1);
    }
  }
}

}  // namespace
}  // namespace miravela::jpeg

namespace miravela::jpeg {
namespace {

TEST(JpegSamplingTest, ShuffledSplitMatchesThePixels) {
  if (!HasByteShuffles()) GTEST_SKIP() << "no byte shuffles on this processor";
  std::vector<std::uint8_t> px(3 * 37);
  for (std::size_t i = 0; i < px.size(); ++i) px[i] = static_cast<std::uint8_t>(i * 7 + 3);
  for (int redOffset : {0, 2}) {
    std::uint8_t r[37], g[37], b[37];
    SplitThreeBytePixels(px.data(), 37, redOffset, r, g, b);
    for (int x = 0; x < 37; ++x) {
      ASSERT_EQ(r[x], px[3 * x + redOffset]) << x;
      ASSERT_EQ(g[x], px[3 * x + 1]) << x;
      ASSERT_EQ(b[x], px[3 * x + 2 - redOffset]) << x;
    }
  }
  std::vector<std::uint8_t> px4(4 * 37);
  for (std::size_t i = 0; i < px4.size(); ++i) px4[i] = static_cast<std::uint8_t>(i * 11 + 5);
  std::uint8_t r[37], g[37], b[37];
  SplitFourBytePixels(px4.data(), 37, r, g, b);
  for (int x = 0; x < 37; ++x) {
    ASSERT_EQ(b[x], px4[4 * x]) << x;
    ASSERT_EQ(g[x], px4[4 * x + 1]) << x;
    ASSERT_EQ(r[x], px4[4 * x + 2]) << x;
  }
}

// The wide colour transform against the scalar rule, on every extreme of the
// channels and on noise, for the three components at once.
TEST(JpegSamplingTest, WideColourTransformGivesTheScalarSamples) {
  if (!HasWideVectors()) GTEST_SKIP() << "no 256-bit vectors on this processor";
  constexpr int kWidth = 64;
  std::uint8_t r[kWidth], g[kWidth], b[kWidth];
  std::uint32_t noise = 7;
  for (int x = 0; x < kWidth; ++x) {
    noise = noise * 1664525u + 1013904223u;
    const bool extreme = x < 8;  // all corners of the colour cube
    r[x] = extreme ? ((x & 1) ? 255 : 0) : static_cast<std::uint8_t>(noise >> 24);
    g[x] = extreme ? ((x & 2) ? 255 : 0) : static_cast<std::uint8_t>(noise >> 16);
    b[x] = extreme ? ((x & 4) ? 255 : 0) : static_cast<std::uint8_t>(noise >> 8);
  }
  const ColourComponent kinds[3] = {ColourComponent::Y, ColourComponent::Cb, ColourComponent::Cr};
  const ColourWeights weights[3] = {{9798, 19235, 3735, 128}, {-5529, -10855, 16384, 0}, {16384, -13720, -2664, 0}};
  std::int8_t blocks[3][kWidth / 8 * 64] = {};
  const BlockRow targets[3] = {{&weights[0], blocks[0]}, {&weights[1], blocks[1]}, {&weights[2], blocks[2]}};
  SampleIntoBlocksWide(r, g, b, kWidth, targets, 3);
  for (int c = 0; c < 3; ++c)
    for (int x = 0; x < kWidth; ++x)
      ASSERT_EQ(blocks[c][(x / 8) * 64 + x % 8], ColourSample(kinds[c], r[x], g[x], b[x])) << c << " " << x;
}

}  // namespace
}  // namespace miravela::jpeg
