#include "capture/frame_converter.h"

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
#include <libswscale/swscale.h>
}

namespace miravela {
namespace {

// QImage::Format_RGB32 is one 0xffRRGGBB word a pixel in the machine's byte order.
constexpr AVPixelFormat kImagePixels = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? AV_PIX_FMT_BGRA : AV_PIX_FMT_ARGB;

struct SourcePixels {
  AVPixelFormat format;
  bool fullRange;
};

// Cameras sending JPEG use the old full-range formats; the converter wants the plain
// format with the range said separately, or the colours come out washed.
SourcePixels Normalised(AVPixelFormat format, AVColorRange range) {
  switch (format) {
    case AV_PIX_FMT_YUVJ420P:
      return {AV_PIX_FMT_YUV420P, true};
    case AV_PIX_FMT_YUVJ422P:
      return {AV_PIX_FMT_YUV422P, true};
    case AV_PIX_FMT_YUVJ444P:
      return {AV_PIX_FMT_YUV444P, true};
    case AV_PIX_FMT_YUVJ440P:
      return {AV_PIX_FMT_YUV440P, true};
    case AV_PIX_FMT_YUVJ411P:
      return {AV_PIX_FMT_YUV411P, true};
    default:
      return {format, range == AVCOL_RANGE_JPEG};
  }
}

}  // namespace

FrameConverter::~FrameConverter() { sws_freeContext(scaler_); }

QImage FrameConverter::Convert(const AVFrame* frame, QImage reuse) {
  if (!frame || frame->width <= 0 || frame->height <= 0) return {};
  const SourcePixels source = Normalised(static_cast<AVPixelFormat>(frame->format), frame->color_range);
  scaler_ = sws_getCachedContext(scaler_, frame->width, frame->height, source.format, frame->width, frame->height,
                                 kImagePixels, SWS_POINT, nullptr, nullptr, nullptr);
  if (!scaler_) return {};
  int* table = nullptr;
  int* invTable = nullptr;
  int srcRange = 0, dstRange = 0, brightness = 0, contrast = 0, saturation = 0;
  if (sws_getColorspaceDetails(scaler_, &invTable, &srcRange, &table, &dstRange, &brightness, &contrast, &saturation) >=
          0 &&
      srcRange != static_cast<int>(source.fullRange)) {
    sws_setColorspaceDetails(scaler_, invTable, source.fullRange, table, 1, brightness, contrast, saturation);
  }
  QImage image = reuse.size() == QSize(frame->width, frame->height) && reuse.format() == QImage::Format_RGB32
                     ? std::move(reuse)
                     : QImage(frame->width, frame->height, QImage::Format_RGB32);
  if (image.isNull()) return {};
  uint8_t* planes[4] = {image.bits(), nullptr, nullptr, nullptr};
  int strides[4] = {static_cast<int>(image.bytesPerLine()), 0, 0, 0};
  const int rows = sws_scale(scaler_, frame->data, frame->linesize, 0, frame->height, planes, strides);
  return rows == frame->height ? image : QImage();
}

}  // namespace miravela
