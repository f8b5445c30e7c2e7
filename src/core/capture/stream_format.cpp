#include "capture/stream_format.h"

#include <QFile>
#include <QList>
#include <QSaveFile>

#include "base/folders.h"

namespace miravela {
namespace {

// Larger than any capture device we could meet; anything beyond is a damaged file.
constexpr int kMaxSide = 16384;
constexpr qint64 kMaxFileBytes = 4096;

std::optional<QSize> ParseSize(const QByteArray& text) {
  const QList<QByteArray> parts = text.split('x');
  if (parts.size() != 2) return std::nullopt;
  bool okW = false, okH = false;
  const int w = parts[0].trimmed().toInt(&okW);
  const int h = parts[1].trimmed().toInt(&okH);
  if (!okW || !okH || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return std::nullopt;
  return QSize(w, h);
}

std::optional<FrameRate> ParseRate(const QByteArray& text) {
  const QList<QByteArray> parts = text.split('/');
  if (parts.size() > 2) return std::nullopt;
  bool okN = false, okD = true;
  const int num = parts[0].trimmed().toInt(&okN);
  const int den = parts.size() == 2 ? parts[1].trimmed().toInt(&okD) : 1;
  if (!okN || !okD || num < 0 || den <= 0) return std::nullopt;
  return FrameRate{num, den};
}

bool SanePixelFormat(const QByteArray& name) {
  if (name.isEmpty() || name.size() > 32) return false;
  for (char c : name) {
    const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

}  // namespace

bool FormatOffered(const std::vector<FormatOption>& offered, const StreamFormat& format) {
  for (const FormatOption& option : offered) {
    if (option.pixelFormat != format.pixelFormat || option.size != format.size) continue;
    if (!format.rate.Valid()) return true;
    for (const FrameRate& rate : option.rates)
      if (rate == format.rate) return true;
  }
  return false;
}

QString FormatRateText(const FrameRate& rate) {
  if (!rate.Valid()) return {};
  if (rate.den == 1) return QString::number(rate.num);
  return QStringLiteral("%1/%2").arg(rate.num).arg(rate.den);
}

QByteArray SerializeFormat(const StreamFormat& format) {
  QByteArray text;
  text += "size=" + QByteArray::number(format.size.width()) + 'x' + QByteArray::number(format.size.height()) + '\n';
  text += "rate=" + QByteArray::number(format.rate.Valid() ? format.rate.num : 0) + '/' +
          QByteArray::number(format.rate.Valid() ? format.rate.den : 1) + '\n';
  text += "pixel_format=" + format.pixelFormat.toLatin1() + '\n';
  return text;
}

std::optional<StreamFormat> ParseFormat(const QByteArray& text) {
  std::optional<QSize> size;
  std::optional<FrameRate> rate;
  std::optional<QByteArray> pixel;
  for (const QByteArray& raw : text.split('\n')) {
    const QByteArray line = raw.trimmed();
    if (line.isEmpty()) continue;
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0) return std::nullopt;
    const QByteArray key = line.left(eq).trimmed();
    const QByteArray value = line.mid(eq + 1).trimmed();
    if (key == "size")
      size = ParseSize(value);
    else if (key == "rate")
      rate = ParseRate(value);
    else if (key == "pixel_format" && SanePixelFormat(value))
      pixel = value;
    else
      return std::nullopt;
  }
  if (!size || !rate || !pixel) return std::nullopt;
  return StreamFormat{*size, *rate, QString::fromLatin1(*pixel)};
}

std::optional<StreamFormat> LoadFormatFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  if (file.size() > kMaxFileBytes) return std::nullopt;
  return ParseFormat(file.readAll());
}

bool SaveFormatFile(const QString& path, const StreamFormat& format) {
  LimpiarAtributos(path);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(SerializeFormat(format));
  return file.commit();
}

}  // namespace miravela
