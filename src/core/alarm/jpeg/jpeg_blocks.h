#pragma once
// The two passes over the blocks of a scan. The first transforms and quantises every
// block, turns it into Huffman symbols with their extra bits (kept, compactly, for the
// second pass) and counts the symbols; the second writes the symbols with the tables
// fitted to those counts.
#include <cstdint>
#include <memory>
#include <vector>

#include "alarm/jpeg/jpeg_huffman.h"
#include "alarm/jpeg/jpeg_quant.h"
#include "alarm/jpeg/jpeg_sampling.h"

namespace miravela::jpeg {

class BitWriter;

// One component as a scan walks it: its plane, table, and the blocks it adds to each
// MCU (h across, v down; 1 x 1 in a scan of one component).
struct ScanComponent {
  const Plane* plane;
  int table;
  int h, v;
};

struct ScanLayout {
  std::vector<ScanComponent> components;
  int mcusAcross = 0, mcusDown = 0;
  long Blocks() const;
};

struct SymbolStatistics {
  SymbolCounts dc[2]{}, ac[2]{};
};

// A token is a symbol (bits 16..23) with its extra bits (0..15) and, from bit 24, the
// code it is written with: 2 * table for a DC symbol, 2 * table + 1 for an AC one.
// The second pass then runs over the tokens of a scan without looking at blocks.
constexpr int kCoderShift = 24;
constexpr int kMaxTokensPerBlock = 65;

// Storage for the tokens of one picture, kept between pictures.
class TokenBuffer {
 public:
  std::uint32_t* Reserve(std::size_t tokens);

 private:
  std::unique_ptr<std::uint32_t[]> data_;
  std::size_t capacity_ = 0;
};

// Pass one over a scan, writing its tokens at `out`; returns the end of them.
std::uint32_t* TokeniseScan(const ScanLayout& scan, const QuantDivisors* divisors, std::uint32_t* out,
                            SymbolStatistics& stats);

// One block's coefficients (column-major, with the zig-zag mask of the non-zero
// ones that TransformBlock returns) as tokens for Huffman table `table`;
// `predictor` is the previous DC value of the component and is updated.
std::uint32_t* TokeniseBlock(const std::int16_t columnMajor[64], std::uint64_t nonZero, int& predictor,
                             std::uint32_t* out, SymbolCounts& dc, SymbolCounts& ac, int table);

// The codes of each coder number a token can carry.
struct ScanCodes {
  const HuffmanCodes* coder[4];
};

// Pass two: the tokens [tokens, end) from TokeniseScan, as entropy-coded bits.
void EmitScan(const std::uint32_t* tokens, const std::uint32_t* end, const ScanCodes& codes, BitWriter& writer);

}  // namespace miravela::jpeg
