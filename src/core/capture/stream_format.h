#pragma once
// The stream format a camera is asked for (size, frame rate, pixel format), the formats a
// device offers, and the format file that carries the user's choice across restarts.
#include <QSize>
#include <QString>
#include <optional>
#include <vector>

namespace miravela {

struct FrameRate {
  int num = 0;
  int den = 1;
  bool Valid() const { return num > 0 && den > 0; }
  double Fps() const { return Valid() ? static_cast<double>(num) / den : 0.0; }
  bool operator==(const FrameRate& other) const {
    return static_cast<long long>(num) * other.den == static_cast<long long>(other.num) * den;
  }
};

struct StreamFormat {
  QSize size;
  FrameRate rate;       // frames per second; invalid = leave it to the device
  QString pixelFormat;  // the decoder's name for it: "mjpeg", "yuyv422", "h264" …
  bool operator==(const StreamFormat&) const = default;
};

// One pixel format at one size, with the frame rates the device gives for it.
struct FormatOption {
  QString pixelFormat;
  QString description;  // the device's own words for the pixel format
  QSize size;
  std::vector<FrameRate> rates;
};

// The device takes this format: same pixel format and size, and the rate (when one is
// asked for) among those it lists for that size.
bool FormatOffered(const std::vector<FormatOption>& offered, const StreamFormat& format);

// Text form of the format file: one "key=value" a line.
QByteArray SerializeFormat(const StreamFormat& format);
// Nothing when the text is not a complete, sane format.
std::optional<StreamFormat> ParseFormat(const QByteArray& text);

// Nothing when the file is missing, unreadable or not a format.
std::optional<StreamFormat> LoadFormatFile(const QString& path);
bool SaveFormatFile(const QString& path, const StreamFormat& format);

QString FormatRateText(const FrameRate& rate);

}  // namespace miravela
