#include "base/text_codec.h"

#include <QStringDecoder>
#include <array>

namespace miravela {
namespace {

// 0x80..0x9F of Windows-1252; 0 marks the five bytes the code page leaves undefined.
constexpr std::array<char16_t, 32> kHighControls = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                                    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

}  // namespace

std::optional<QByteArray> EncodeCp1252(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  for (QChar c : text) {
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.append(static_cast<char>(u));
      continue;
    }
    bool found = false;
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
      // The five undefined bytes decode to the control characters of their own value,
      // and go back to those bytes, so any record read can be written back unchanged.
      const char16_t propio = kHighControls[i] != 0 ? kHighControls[i] : static_cast<char16_t>(0x80 + i);
      if (propio == u) {
        out.append(static_cast<char>(0x80 + i));
        found = true;
        break;
      }
    }
    if (!found) return std::nullopt;
  }
  return out;
}

QString DecodeCp1252(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b >= 0x80 && b < 0xA0 && kHighControls[b - 0x80] != 0)
      out.append(QChar(kHighControls[b - 0x80]));
    else
      out.append(QChar(static_cast<char16_t>(b)));
  }
  return out;
}

QString DecodeText(const QByteArray& bytes) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  QString text = utf8.decode(bytes);
  if (!utf8.hasError()) return text;
  return DecodeCp1252(bytes);
}

}  // namespace miravela
