#pragma once
// The number rules every settings reader shares, and the one size unit.
#include <QString>
#include <cstdint>

namespace miravela {

// The number a text begins with, read the lenient way the settings files were
// always read: blanks are skipped, reading stops at the first character that cannot
// continue the number, and a text without a number reads as 0.
double LeadingNumber(const QString& text);

// Nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
std::int64_t RoundHalfEven(double value);

// A megabyte, wherever the program speaks of megabytes (the disk reserve, the journal).
inline constexpr std::int64_t kBytesPorMegabyte = 1024 * 1024;

}  // namespace miravela
