#pragma once
#include <QColor>

#include "base/control.h"

namespace miravela {

// Model colours are 0x00BBGGRR.
inline QColor ToQColor(Color c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

}  // namespace miravela
