#pragma once
// The parts of colour sampling that run on wider vector units, for processors that
// have them (checked by the caller through HasByteShuffles and HasWideVectors).
#include <cstdint>

namespace miravela::jpeg {

bool HasByteShuffles();
bool HasWideVectors();

// Splits `width` pixels of 3 bytes whose red byte is at `redOffset` (0 or 2; green
// is always in the middle) into red, green and blue rows.
void SplitThreeBytePixels(const std::uint8_t* px, int width, int redOffset, std::uint8_t* r, std::uint8_t* g,
                          std::uint8_t* b);
// The same for 4-byte pixels stored blue, green, red, unused.
void SplitFourBytePixels(const std::uint8_t* px, int width, std::uint8_t* r, std::uint8_t* g, std::uint8_t* b);

// One row of the JFIF matrix in 15-bit fixed point, each row summing to 1 (Y) or
// 0 (Cb, Cr); `offset` is the level shift.
struct ColourWeights {
  std::int16_t red, green, blue;
  int offset;
};
// Samples are whole levels; a value exactly halfway goes down (see the weights).
constexpr int kRoundingHalf = (1 << 14) - 1;

// Where the samples of one row go: eight samples per block, the blocks of a row
// 64 bytes apart, starting at `row`.
struct BlockRow {
  const ColourWeights* weights;
  std::int8_t* row;
};

// Samples of pixels [0, count) of a split row into every target; `count` is a
// multiple of 32. Gives exactly what the scalar rule gives.
void SampleIntoBlocksWide(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, int count,
                          const BlockRow* targets, int targetCount);

}  // namespace miravela::jpeg
