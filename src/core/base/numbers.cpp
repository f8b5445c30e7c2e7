#include "base/numbers.h"

#include <cmath>
#include <string>

namespace miravela {

double LeadingNumber(const QString& text) {
  std::string digits;
  bool seenDigit = false, seenPoint = false, seenExponent = false;
  for (QChar c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
    const char ch = c.toLatin1();
    if (ch >= '0' && ch <= '9') {
      digits += ch;
      seenDigit = true;
    } else if ((ch == '+' || ch == '-') && (digits.empty() || (seenExponent && (digits.back() == 'e')))) {
      digits += ch;
    } else if (ch == '.' && !seenPoint && !seenExponent) {
      digits += ch;
      seenPoint = true;
    } else if ((ch == 'e' || ch == 'E') && seenDigit && !seenExponent) {
      digits += 'e';
      seenExponent = true;
    } else {
      break;
    }
  }
  // A dangling exponent or sign is not part of the number.
  while (!digits.empty() && (digits.back() == 'e' || digits.back() == '+' || digits.back() == '-')) digits.pop_back();
  if (!seenDigit) return 0.0;
  try {
    return std::stod(digits);
  } catch (...) {
    return 0.0;
  }
}

std::int64_t RoundHalfEven(double value) {
  return static_cast<std::int64_t>(std::nearbyint(value));  // default rounding mode is to-even
}

}  // namespace miravela
