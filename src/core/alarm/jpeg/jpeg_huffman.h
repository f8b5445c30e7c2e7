#pragma once
// Huffman tables fitted to one image: code lengths from the symbol counts, limited to
// 16 bits with the all-ones code point kept free, and the codes derived from them.
#include <array>
#include <cstdint>

namespace miravela::jpeg {

// Counts per symbol; the slot at index 256 is reserved for the builder.
using SymbolCounts = std::array<std::uint32_t, 257>;

// A table as it is written to the file: how many codes of each length 1..16, and
// the symbols in order of increasing code length.
struct HuffmanTable {
  std::array<std::uint8_t, 17> bits{};  // bits[0] unused
  std::array<std::uint8_t, 256> values{};
  int count = 0;
};

// A code and its length for every symbol, packed for the coder: code in the low
// 16 bits, length in the high byte; 0 for a symbol without a code.
struct HuffmanCodes {
  std::array<std::uint32_t, 256> packed{};
  std::uint32_t code(int symbol) const { return packed[symbol] & 0xFFFF; }
  int length(int symbol) const { return static_cast<int>(packed[symbol] >> 24); }
};

HuffmanTable BuildOptimalTable(const SymbolCounts& counts);

// Raises JpegError "Bad Huffman Table" when the lengths do not describe a prefix
// code that leaves the all-ones code of every length unused.
HuffmanCodes DeriveCodes(const HuffmanTable& table);

// Bits the counted symbols take with these codes, including their extra bits
// (the low four bits of each symbol).
std::uint64_t CodedBits(const SymbolCounts& counts, const HuffmanCodes& codes);

}  // namespace miravela::jpeg
