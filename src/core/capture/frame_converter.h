#pragma once
// Turns decoded frames into 32-bit images the rest of the program draws and compares.
#include <QImage>

struct AVFrame;
struct SwsContext;

namespace miravela {

class FrameConverter {
 public:
  FrameConverter() = default;
  ~FrameConverter();
  FrameConverter(const FrameConverter&) = delete;
  FrameConverter& operator=(const FrameConverter&) = delete;

  // The frame as QImage::Format_RGB32 at its own size, written into `reuse` when that
  // image has the right size and format; a null image when the frame cannot be converted.
  QImage Convert(const AVFrame* frame, QImage reuse = {});

 private:
  SwsContext* scaler_ = nullptr;
};

}  // namespace miravela
