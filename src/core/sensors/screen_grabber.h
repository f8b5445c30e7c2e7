#pragma once
// Reading a rectangle of the desktop, as the screen capturer needs it.
#include <QImage>
#include <QRect>
#include <optional>

namespace miravela {

class ScreenGrabber {
 public:
  virtual ~ScreenGrabber() = default;
  // False where the desktop does not let programs read the screen (a pure Wayland session).
  virtual bool PuedeLeerPantalla() const = 0;
  // The desktop pixels of `rect` (screen pixels), or nothing when they cannot be read.
  // Parts of the rectangle beyond the screen come back black.
  virtual std::optional<QImage> Grab(const QRect& rect) = 0;
};

// The real grabber over the primary screen of the running Qt application.
class QtScreenGrabber : public ScreenGrabber {
 public:
  bool PuedeLeerPantalla() const override;
  std::optional<QImage> Grab(const QRect& rect) override;
};

}  // namespace miravela
