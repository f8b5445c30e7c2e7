#include "sensors/screen_grabber.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace miravela {

bool QtScreenGrabber::PuedeLeerPantalla() const {
  // Wayland gives a program no way to read what other programs show; under X11 and
  // XWayland the root window can be read.
  return QGuiApplication::primaryScreen() != nullptr &&
         !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

std::optional<QImage> QtScreenGrabber::Grab(const QRect& rect) {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen || rect.width() <= 0 || rect.height() <= 0) return std::nullopt;
  // The X server refuses a read that leaves the root window, so only the part on the
  // screen is read and the rest stays black.
  const QRect visible = rect.intersected(QRect(QPoint(0, 0), screen->size()));
  QImage frame(rect.size(), QImage::Format_RGB32);
  frame.fill(Qt::black);
  if (visible.isEmpty()) return frame;
  const QPixmap grab = screen->grabWindow(0, visible.x(), visible.y(), visible.width(), visible.height());
  if (grab.isNull()) return std::nullopt;
  QPainter painter(&frame);
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  const QImage pixels = grab.toImage();
  // A screen with a device pixel ratio gives more pixels than asked; keep logical ones.
  painter.drawImage(QRect(visible.topLeft() - rect.topLeft(), visible.size()), pixels);
  return frame;
}

}  // namespace miravela
