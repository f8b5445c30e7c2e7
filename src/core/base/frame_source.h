#pragma once
// Where the frame loop gets its pictures: the camera, or the desktop rectangle of the
// screen capturer. Frames are best given as QImage::Format_RGB32; others are converted.
#include <QImage>
#include <optional>

namespace miravela {

class FrameSource {
 public:
  virtual ~FrameSource() = default;
  // The current frame, or nothing when no frame can be had.
  virtual std::optional<QImage> Snap() = 0;
};

}  // namespace miravela
