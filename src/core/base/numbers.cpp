#include "base/numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
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
  // Always a point as decimal separator, whatever the user's locale says: the
  // settings files and the tick start are the same text on every machine.
  const char* first = digits.data();
  if (*first == '+') ++first;
  double value = 0.0;
  const auto [end, error] = std::from_chars(first, digits.data() + digits.size(), value);
  (void)end;
  return error == std::errc() ? value : 0.0;
}

std::int64_t RoundHalfEven(double value) {
  using Limits = std::numeric_limits<std::int64_t>;
  if (std::isnan(value)) return 0;
  const double rounded = std::nearbyint(value);  // default rounding mode is to-even
  // Out of range the cast has no meaning: hand-edited files do carry numbers like 1e30.
  constexpr double kTwoTo63 = 9223372036854775808.0;
  if (rounded >= kTwoTo63) return Limits::max();
  if (rounded < -kTwoTo63) return Limits::min();
  return static_cast<std::int64_t>(rounded);
}

}  // namespace miravela
