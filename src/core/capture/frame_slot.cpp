#include "capture/frame_slot.h"

#include <utility>

namespace miravela {

void FrameSlot::Publish(QImage image, std::chrono::steady_clock::time_point decoded) {
  std::lock_guard lock(mutex_);
  spare_ = std::exchange(newest_.image, std::move(image));
  ++newest_.sequence;
  newest_.decoded = decoded;
}

void FrameSlot::Clear() {
  std::lock_guard lock(mutex_);
  spare_ = std::exchange(newest_.image, QImage());
}

CapturedFrame FrameSlot::Newest() const {
  std::lock_guard lock(mutex_);
  return newest_;
}

QImage FrameSlot::TakeSpare() {
  std::lock_guard lock(mutex_);
  QImage spare = std::move(spare_);
  spare_ = QImage();
  // An image a caller still holds would be copied on the first write; not worth it.
  return spare.isDetached() ? spare : QImage();
}

}  // namespace miravela
