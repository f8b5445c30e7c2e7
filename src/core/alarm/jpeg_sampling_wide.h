#pragma once
// Splitting rows of 3-byte pixels with byte shuffles, for processors that have them
// (checked by the caller through HasByteShuffles).
#include <cstdint>

namespace miravela::jpeg {

bool HasByteShuffles();

// Splits `width` pixels of 3 bytes whose red byte is at `redOffset` (0 or 2; green
// is always in the middle) into red, green and blue rows.
void SplitThreeBytePixels(const std::uint8_t* px, int width, int redOffset, std::uint8_t* r,
                          std::uint8_t* g, std::uint8_t* b);

}  // namespace miravela::jpeg
