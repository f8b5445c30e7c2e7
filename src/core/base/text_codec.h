#pragma once
// Text conversions for the settings files: fixed-size binary records keep the
// Windows-1252 byte budget, text files for people are UTF-8 but older copies
// may carry Windows-1252, so readers accept both.
#include <QByteArray>
#include <QString>
#include <optional>

namespace miravela {

// Windows-1252 bytes of `text`, or nothing when a character has no place in that code page.
std::optional<QByteArray> EncodeCp1252(const QString& text);
QString DecodeCp1252(const QByteArray& bytes);
// UTF-8 when the bytes are valid UTF-8, Windows-1252 otherwise.
QString DecodeText(const QByteArray& bytes);

}  // namespace miravela
