#pragma once
// One opened FFmpeg source with its video decoder. Every blocking FFmpeg call made
// through it can be cut short: by the stop flag, or by a deadline for the open and for
// each packet, so an unplugged camera or a silent network address never hangs a thread.
#include <atomic>
#include <chrono>
#include <optional>

#include "capture/camera_source.h"
#include "capture/stream_format.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVPacket;
struct AVFrame;

namespace miravela {

struct InputTimeouts {
  std::chrono::milliseconds open{10000};
  std::chrono::milliseconds packet{5000};
};

enum class ReadResult {
  Frame,    // a decoded frame is in the caller's frame
  Pending,  // a packet went to the decoder without a frame coming out yet
  Wait,     // the device has nothing yet; ask again shortly
  End,      // the source ended and the decoder is drained
  Error,    // the source failed or cannot be decoded
};

class FfmpegInput {
 public:
  FfmpegInput(const std::atomic<bool>& stop, InputTimeouts timeouts);
  ~FfmpegInput();
  FfmpegInput(const FfmpegInput&) = delete;
  FfmpegInput& operator=(const FfmpegInput&) = delete;

  // The format applies to devices only; other sources deliver what they carry.
  bool Open(const CameraSource& source, const std::optional<StreamFormat>& format);
  ReadResult Read(AVFrame* frame);
  // The format as the source delivers it, known once open.
  StreamFormat Format() const;
  // The frame's presentation time in seconds, or a negative value when it has none.
  double Seconds(const AVFrame* frame) const;

 private:
  static int Interrupted(void* self);
  bool OpenDecoder();
  ReadResult FeedPacket();
  void Close();

  const std::atomic<bool>& stop_;
  InputTimeouts timeouts_;
  std::chrono::steady_clock::time_point deadline_{};
  AVFormatContext* format_ = nullptr;
  AVCodecContext* decoder_ = nullptr;
  AVPacket* packet_ = nullptr;
  int stream_ = -1;
  int badPackets_ = 0;
  bool draining_ = false;
};

}  // namespace miravela
