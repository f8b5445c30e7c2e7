#pragma once
// The two number rules every settings reader shares.
#include <QString>
#include <cstdint>

namespace miravela {

// The number a text begins with, read the lenient way the settings files were
// always read: blanks are skipped, reading stops at the first character that cannot
// continue the number, and a text without a number reads as 0.
double LeadingNumber(const QString& text);

// Nearest whole number, halves to the even neighbour (2.5 gives 2, 3.5 gives 4).
std::int64_t RoundHalfEven(double value);

}  // namespace miravela
