#pragma once
// The two passes over the blocks of a scan. The first transforms and quantises every
// block, turns it into Huffman symbols with their extra bits (kept, compactly, for the
// second pass) and counts the symbols; the second writes the symbols with the tables
// fitted to those counts.
#include <cstdint>
#include <memory>
#include <vector>

#include "alarm/jpeg_huffman.h"
#include "alarm/jpeg_quant.h"
#include "alarm/jpeg_sampling.h"

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

// A token is a symbol (bits 16..23) with its extra bits (0..15); kLastInBlock marks
// the final token of a block.
constexpr std::uint32_t kLastInBlock = 1u << 24;
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
std::uint32_t* TokeniseScan(const ScanLayout& scan, const QuantDivisors* divisors,
                            std::uint32_t* out, SymbolStatistics& stats);

// One block's coefficients (column-major, with the zig-zag mask of the non-zero
// ones that TransformBlock returns) as tokens; `predictor` is the previous DC value
// of the component and is updated.
std::uint32_t* TokeniseBlock(const std::int16_t columnMajor[64], std::uint64_t nonZero,
                             int& predictor, std::uint32_t* out, SymbolCounts& dc,
                             SymbolCounts& ac);

struct ScanCodes {
  const HuffmanCodes* dc[2];
  const HuffmanCodes* ac[2];
};

// Pass two: the tokens from TokeniseScan, as entropy-coded bits.
const std::uint32_t* EmitScan(const ScanLayout& scan, const std::uint32_t* tokens,
                              const ScanCodes& codes, BitWriter& writer);

}  // namespace miravela::jpeg
