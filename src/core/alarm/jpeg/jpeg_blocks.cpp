#include "alarm/jpeg/jpeg_blocks.h"

#include <array>
#include <bit>

#include "alarm/jpeg/jpeg_dct.h"
#include "alarm/jpeg/jpeg_writer.h"

namespace miravela::jpeg {

namespace {

// The size category of a value and its extra bits: the value itself when positive,
// its ones' complement when negative, in `size` bits.
inline std::uint32_t Magnitude(int value, int& size) {
  const unsigned absolute = static_cast<unsigned>(value < 0 ? -value : value);
  size = absolute == 0 ? 0 : 32 - std::countl_zero(absolute);
  const unsigned bits = static_cast<unsigned>(value < 0 ? value - 1 : value);
  return bits & ((1u << size) - 1);
}

inline std::uint32_t Token(int symbol, std::uint32_t bits) { return (static_cast<std::uint32_t>(symbol) << 16) | bits; }

}  // namespace

long ScanLayout::Blocks() const {
  long perMcu = 0;
  for (const ScanComponent& c : components) perMcu += c.h * c.v;
  return perMcu * mcusAcross * mcusDown;
}

std::uint32_t* TokenBuffer::Reserve(std::size_t tokens) {
  if (tokens > capacity_) {
    // Left uninitialised: only the part a picture really uses is ever touched.
    data_.reset(new std::uint32_t[tokens]);
    capacity_ = tokens;
  }
  return data_.get();
}

std::uint32_t* TokeniseBlock(const std::int16_t columnMajor[64], std::uint64_t nonZero, int& predictor,
                             std::uint32_t* out, SymbolCounts& dc, SymbolCounts& ac, int table) {
  const std::uint32_t dcCoder = static_cast<std::uint32_t>(2 * table) << kCoderShift;
  const std::uint32_t acCoder = static_cast<std::uint32_t>(2 * table + 1) << kCoderShift;
  int size = 0;
  const int difference = columnMajor[0] - predictor;
  predictor = columnMajor[0];
  std::uint32_t bits = Magnitude(difference, size);
  ++dc[size];
  *out++ = dcCoder | Token(size, bits);

  std::uint64_t pending = nonZero & ~std::uint64_t{1};
  int last = 0;
  while (pending != 0) {
    const int k = std::countr_zero(pending);
    pending &= pending - 1;
    int run = k - last - 1;
    last = k;
    for (; run >= 16; run -= 16) {
      ++ac[0xF0];
      *out++ = acCoder | Token(0xF0, 0);
    }
    bits = Magnitude(columnMajor[kZigzagFromColumnMajor[k]], size);
    const int symbol = (run << 4) | size;
    ++ac[symbol];
    *out++ = acCoder | Token(symbol, bits);
  }
  if (last != 63) {
    ++ac[0x00];
    *out++ = acCoder | Token(0x00, 0);
  }
  return out;
}

namespace {

// Every component adds one block to an MCU (no subsampling, or a scan of one
// component): each plane is walked along its rows of blocks, with nothing to look up
// per block.
std::uint32_t* TokeniseOneBlockPerMcu(const ScanLayout& scan, const QuantDivisors* divisors, std::uint32_t* out,
                                      SymbolStatistics& stats) {
  struct Walk {
    const Plane* plane;
    const QuantDivisors* divisors;
    SymbolCounts *dc, *ac;
    int table;
    int predictor = 0;
  };
  const int n = static_cast<int>(scan.components.size());
  std::array<Walk, 4> walks{};
  for (int ci = 0; ci < n; ++ci) {
    const ScanComponent& c = scan.components[ci];
    walks[ci] = {c.plane, &divisors[c.table], &stats.dc[c.table], &stats.ac[c.table], c.table};
  }
  alignas(16) std::int16_t coefficients[64];
  const TransformFunction transform = FastestTransform();
  std::array<const std::int8_t*, 4> rows{};
  for (int my = 0; my < scan.mcusDown; ++my) {
    for (int ci = 0; ci < n; ++ci) rows[ci] = walks[ci].plane->Block(0, my);
    for (int mx = 0; mx < scan.mcusAcross; ++mx) {
      for (int ci = 0; ci < n; ++ci) {
        Walk& w = walks[ci];
        const std::uint64_t nonZero = transform(rows[ci] + mx * 64, 8, *w.divisors, coefficients);
        out = TokeniseBlock(coefficients, nonZero, w.predictor, out, *w.dc, *w.ac, w.table);
      }
    }
  }
  return out;
}

}  // namespace

std::uint32_t* TokeniseScan(const ScanLayout& scan, const QuantDivisors* divisors, std::uint32_t* out,
                            SymbolStatistics& stats) {
  bool oneBlockEach = true;
  for (const ScanComponent& c : scan.components) oneBlockEach = oneBlockEach && c.h == 1 && c.v == 1;
  if (oneBlockEach) return TokeniseOneBlockPerMcu(scan, divisors, out, stats);

  const int n = static_cast<int>(scan.components.size());
  int predictors[4] = {0, 0, 0, 0};
  alignas(16) std::int16_t coefficients[64];
  const TransformFunction transform = FastestTransform();
  for (int my = 0; my < scan.mcusDown; ++my) {
    for (int mx = 0; mx < scan.mcusAcross; ++mx) {
      for (int ci = 0; ci < n; ++ci) {
        const ScanComponent& c = scan.components[ci];
        const QuantDivisors& d = divisors[c.table];
        for (int v = 0; v < c.v; ++v) {
          for (int h = 0; h < c.h; ++h) {
            const std::uint64_t nonZero = transform(c.plane->Block(mx * c.h + h, my * c.v + v), 8, d, coefficients);
            out = TokeniseBlock(coefficients, nonZero, predictors[ci], out, stats.dc[c.table], stats.ac[c.table],
                                c.table);
          }
        }
      }
    }
  }
  return out;
}

namespace {

inline void PutToken(std::uint32_t token, const ScanCodes& codes, BitWriter& writer) {
  const HuffmanCodes& c = *codes.coder[token >> kCoderShift];
  const int symbol = static_cast<int>((token >> 16) & 0xFF);
  const int extra = symbol & 15;
  const std::uint32_t packed = c.packed[symbol];
  writer.Put(((packed & 0xFFFF) << extra) | (token & 0xFFFF), static_cast<int>(packed >> 24) + extra);
}

// Tokens between two checks of the output's room: far less than a block's worth.
constexpr std::ptrdiff_t kTokensPerReserve = 16;

}  // namespace

void EmitScan(const std::uint32_t* tokens, const std::uint32_t* end, const ScanCodes& codes, BitWriter& writer) {
  for (; end - tokens >= kTokensPerReserve; tokens += kTokensPerReserve) {
    writer.Reserve();
    for (std::ptrdiff_t i = 0; i < kTokensPerReserve; ++i) PutToken(tokens[i], codes, writer);
  }
  writer.Reserve();
  for (; tokens != end; ++tokens) PutToken(*tokens, codes, writer);
}

}  // namespace miravela::jpeg
