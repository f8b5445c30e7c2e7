#pragma once
#include <QColor>
#include <QWidget>

#include "base/control.h"
#include "base/picture_box.h"

namespace miravela {

inline QColor ToQColor(Color c) { return QColor::fromRgb(ToQRgb(c)); }

// A style sheet restyles the widget and its children, far too costly for the window's
// 100 ms refresh, so it is set only when it changes.
inline void FijarEstilo(QWidget* widget, const QString& estilo) {
  if (widget->styleSheet() != estilo) widget->setStyleSheet(estilo);
}

}  // namespace miravela
