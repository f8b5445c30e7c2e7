#include "alarm/jpeg/jpeg_huffman.h"

#include "alarm/jpeg/jpeg_error.h"

namespace miravela::jpeg {

namespace {

constexpr int kSymbols = 257;
// A tree of 257 leaves is at most 256 deep, so no length is ever cut short here.
constexpr int kMaxWorkingLength = 256;

// The symbol with the smallest non-zero count, other than `skip`; ties go to the
// higher symbol so the reserved one ends up with the longest code.
int LeastFrequent(const std::array<std::uint64_t, kSymbols>& freq, int skip) {
  int best = -1;
  for (int v = 0; v < kSymbols; ++v) {
    if (v == skip || freq[v] == 0) continue;
    if (best < 0 || freq[v] <= freq[best]) best = v;
  }
  return best;
}

// Code length of every symbol by repeatedly merging the two least frequent trees.
std::array<int, kSymbols> CodeSizes(const SymbolCounts& counts) {
  std::array<std::uint64_t, kSymbols> freq{};
  for (int v = 0; v < 256; ++v) freq[v] = counts[v];
  freq[256] = 1;  // keeps the all-ones code point out of the final table
  std::array<int, kSymbols> size{};
  std::array<int, kSymbols> others;
  others.fill(-1);
  for (;;) {
    const int v1 = LeastFrequent(freq, -1);
    const int v2 = LeastFrequent(freq, v1);
    if (v2 < 0) break;
    freq[v1] += freq[v2];
    freq[v2] = 0;
    int v = v1;
    for (++size[v]; others[v] >= 0; ++size[v]) v = others[v];
    others[v] = v2;
    v = v2;
    for (++size[v]; others[v] >= 0; ++size[v]) v = others[v];
  }
  return size;
}

// Moves codes longer than 16 bits up the tree, then drops the reserved code point.
void LimitLengths(std::array<int, kMaxWorkingLength + 1>& bits) {
  for (int i = kMaxWorkingLength; i > 16; --i) {
    while (bits[i] > 0) {
      int j = i - 2;
      while (bits[j] == 0) --j;
      bits[i] -= 2;
      bits[i - 1] += 1;
      bits[j + 1] += 2;
      bits[j] -= 1;
    }
  }
  int i = 16;
  while (bits[i] == 0) --i;
  bits[i] -= 1;
}

[[noreturn]] void BadTable() { throw JpegError(1, "Bad Huffman Table"); }

}  // namespace

HuffmanTable BuildOptimalTable(const SymbolCounts& counts) {
  const std::array<int, kSymbols> size = CodeSizes(counts);
  std::array<int, kMaxWorkingLength + 1> bits{};
  for (int v = 0; v < kSymbols; ++v)
    if (size[v] > 0) bits[size[v]]++;
  LimitLengths(bits);

  HuffmanTable table;
  for (int i = 1; i <= 16; ++i) table.bits[i] = static_cast<std::uint8_t>(bits[i]);
  for (int length = 1; length <= kMaxWorkingLength; ++length)
    for (int v = 0; v < 256; ++v)
      if (size[v] == length) table.values[table.count++] = static_cast<std::uint8_t>(v);
  return table;
}

HuffmanCodes DeriveCodes(const HuffmanTable& table) {
  HuffmanCodes codes;
  int total = 0;
  for (int length = 1; length <= 16; ++length) total += table.bits[length];
  if (total != table.count || total > 256) BadTable();
  std::uint32_t code = 0;
  int k = 0;
  for (int length = 1; length <= 16; ++length) {
    for (int n = 0; n < table.bits[length]; ++n, ++code) {
      // Every code must fit its length, and none may be all ones.
      if (code >= (1u << length) - 1) BadTable();
      const int symbol = table.values[k++];
      if (codes.packed[symbol] != 0) BadTable();
      codes.packed[symbol] = code | (static_cast<std::uint32_t>(length) << 24);
    }
    code <<= 1;
  }
  return codes;
}

std::uint64_t CodedBits(const SymbolCounts& counts, const HuffmanCodes& codes) {
  std::uint64_t total = 0;
  for (int v = 0; v < 256; ++v) total += static_cast<std::uint64_t>(counts[v]) * (codes.length(v) + (v & 15));
  return total;
}

}  // namespace miravela::jpeg
