#pragma once
// The newest picture, handed from the capture thread to whoever asks. The capture
// thread leaves what it read as it came: the packet of a stream whose pictures stand
// alone, or the decoded frame of a stream whose pictures build on each other. The
// picture is made (decoded where needed, converted) when someone asks for it, so the
// frames nobody takes cost neither. Taking a picture already made costs a lock and a
// reference count: images are shared, never copied here.
#include <QImage>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>

#include "capture/frame_converter.h"

struct AVPacket;
struct AVFrame;

namespace miravela {

class StreamDecoder;

struct CapturedFrame {
  QImage image;                                   // null when there is none
  std::uint64_t sequence = 0;                     // counts every frame published
  std::chrono::steady_clock::time_point decoded;  // when the capture thread got it
};

class FrameSlot {
 public:
  using Clock = std::chrono::steady_clock;

  FrameSlot();
  ~FrameSlot();
  FrameSlot(const FrameSlot&) = delete;
  FrameSlot& operator=(const FrameSlot&) = delete;

  // A new connection whose packets this decoder decodes; null for one that publishes
  // decoded frames.
  void Begin(std::shared_ptr<StreamDecoder> decoder);
  // Each takes over the caller's reference and leaves the packet or frame empty.
  void PublishPacket(AVPacket* packet, Clock::time_point decoded);
  void PublishFrame(AVFrame* frame, Clock::time_point decoded);
  // After a lost source: no frame until a new one arrives.
  void Clear();
  // The newest picture that could be made; an older one while the newest does not
  // decode. Never waits for the capture thread.
  CapturedFrame Newest();
  // Since when every picture asked for has failed to decode; none while they decode.
  std::optional<Clock::time_point> FailingSince() const;

 private:
  struct Pending;
  QImage Make(const Pending& pending, StreamDecoder* decoder);

  mutable std::mutex mutex_;  // everything below but the making tools
  std::unique_ptr<Pending> pending_;
  std::shared_ptr<StreamDecoder> decoder_;
  std::uint64_t published_ = 0;
  std::uint64_t tried_ = 0;    // the newest sequence a picture was made from or failed for
  std::uint64_t session_ = 0;  // changes with every Begin and Clear
  CapturedFrame made_;
  QImage spare_;
  std::optional<Clock::time_point> failingSince_;

  std::mutex making_;  // one picture made at a time, with these tools
  FrameConverter converter_;
  AVFrame* decoded_ = nullptr;
};

}  // namespace miravela
