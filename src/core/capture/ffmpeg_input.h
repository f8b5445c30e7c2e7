#pragma once
// One opened FFmpeg source with its video decoder. Every blocking FFmpeg call made
// through it can be cut short: by the stop flag, or by a deadline for the open and for
// each packet, so an unplugged camera or a silent network address never hangs a thread.
#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>

#include "capture/camera_source.h"
#include "capture/stream_decoder.h"
#include "capture/stream_format.h"

struct AVFormatContext;
struct AVPacket;
struct AVFrame;

namespace miravela {

struct InputTimeouts {
  std::chrono::milliseconds open{10000};
  std::chrono::milliseconds packet{5000};
};

enum class ReadResult {
  Frame,    // a decoded frame (from ReadPacket: a packet of the picture) is the caller's
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
  // The next decoded frame.
  ReadResult Read(AVFrame* frame);
  // The next packet of the video stream as it came, undecoded; for streams whose
  // pictures stand alone, which need decoding only when a picture is wanted.
  ReadResult ReadPacket(AVPacket* packet);
  bool IntraOnly() const;
  // A decoder of its own for the video stream; null when none opens.
  std::unique_ptr<StreamDecoder> NewDecoder() const;
  // The format as the source delivers it, known once open.
  StreamFormat Format() const;
  // The frame's presentation time in seconds, or a negative value when it has none.
  double Seconds(const AVFrame* frame) const;
  double Seconds(const AVPacket* packet) const;

 private:
  static int Interrupted(void* self);
  double Seconds(std::int64_t timestamp) const;
  ReadResult NextPacket(AVPacket* packet);
  ReadResult FeedPacket();
  void Close();

  const std::atomic<bool>& stop_;
  InputTimeouts timeouts_;
  std::chrono::steady_clock::time_point deadline_{};
  AVFormatContext* format_ = nullptr;
  // Opened on the first Read: a caller that takes packets never needs it.
  std::unique_ptr<StreamDecoder> decoder_;
  bool decoderFailed_ = false;
  AVPacket* packet_ = nullptr;
  int stream_ = -1;
  int badPackets_ = 0;
  bool draining_ = false;
};

}  // namespace miravela
