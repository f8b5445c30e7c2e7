#pragma once
// The choices of the format dialog, narrowed step by step: pixel format, then size,
// then frame rate. Each list keeps the device's order and has no repeats.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "capture/stream_format.h"

namespace miravela {

QStringList PixelFormatsOffered(const std::vector<FormatOption>& offered);
std::vector<QSize> SizesOffered(const std::vector<FormatOption>& offered, const QString& pixelFormat);
std::vector<FrameRate> RatesOffered(const std::vector<FormatOption>& offered, const QString& pixelFormat, QSize size);
// The device's description of a pixel format, with our name for it when it has none.
QString PixelFormatLabel(const std::vector<FormatOption>& offered, const QString& pixelFormat);

// A device control's name in the program's language; the driver's own name for
// controls we do not know.
QString ControlLabel(std::uint32_t id, const QString& driverName);

}  // namespace miravela
