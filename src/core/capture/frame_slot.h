#pragma once
// The newest frame, handed from the capture thread to whoever asks. Taking it costs a
// lock and a reference count: images are shared, never copied here.
#include <QImage>
#include <chrono>
#include <cstdint>
#include <mutex>

namespace miravela {

struct CapturedFrame {
  QImage image;                                   // null when there is none
  std::uint64_t sequence = 0;                     // counts every frame published
  std::chrono::steady_clock::time_point decoded;  // when the decoder gave it
};

class FrameSlot {
 public:
  void Publish(QImage image, std::chrono::steady_clock::time_point decoded);
  // After a lost source: no frame until a new one arrives.
  void Clear();
  CapturedFrame Newest() const;
  // An image no longer published, for the converter to write the next frame into.
  QImage TakeSpare();

 private:
  mutable std::mutex mutex_;
  CapturedFrame newest_;
  QImage spare_;
};

}  // namespace miravela
