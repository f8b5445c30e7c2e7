#include "capture/frame_slot.h"

#include <utility>

extern "C" {
#include <libavcodec/packet.h>
#include <libavutil/frame.h>
}

#include "capture/stream_decoder.h"

namespace miravela {

// What the capture thread read last: a packet or a frame, each holding a reference
// to FFmpeg's buffer, never a copy of it.
struct FrameSlot::Pending {
  Pending() : packet(av_packet_alloc()), frame(av_frame_alloc()) {}
  ~Pending() {
    av_packet_free(&packet);
    av_frame_free(&frame);
  }
  Pending(const Pending&) = delete;
  Pending& operator=(const Pending&) = delete;
  bool Empty() const { return !packet->data && !frame->buf[0]; }
  void Unref() {
    av_packet_unref(packet);
    av_frame_unref(frame);
  }
  bool RefTo(const Pending& other) {
    Unref();
    if (other.packet->data && av_packet_ref(packet, other.packet) < 0) return false;
    if (other.frame->buf[0] && av_frame_ref(frame, other.frame) < 0) return false;
    return true;
  }

  AVPacket* packet;
  AVFrame* frame;
  std::uint64_t sequence = 0;
  Clock::time_point decoded;
};

FrameSlot::FrameSlot() : pending_(std::make_unique<Pending>()), decoded_(av_frame_alloc()) {}

FrameSlot::~FrameSlot() { av_frame_free(&decoded_); }

void FrameSlot::Begin(std::shared_ptr<StreamDecoder> decoder) {
  std::lock_guard lock(mutex_);
  decoder_ = std::move(decoder);
  pending_->Unref();
  tried_ = published_;
  ++session_;
  failingSince_.reset();
}

void FrameSlot::PublishPacket(AVPacket* packet, Clock::time_point decoded) {
  std::lock_guard lock(mutex_);
  pending_->Unref();
  av_packet_move_ref(pending_->packet, packet);
  pending_->sequence = ++published_;
  pending_->decoded = decoded;
}

void FrameSlot::PublishFrame(AVFrame* frame, Clock::time_point decoded) {
  std::lock_guard lock(mutex_);
  pending_->Unref();
  av_frame_move_ref(pending_->frame, frame);
  pending_->sequence = ++published_;
  pending_->decoded = decoded;
}

void FrameSlot::Clear() {
  std::lock_guard lock(mutex_);
  pending_->Unref();
  decoder_.reset();
  tried_ = published_;
  ++session_;
  spare_ = std::exchange(made_.image, QImage());
  failingSince_.reset();
}

std::optional<FrameSlot::Clock::time_point> FrameSlot::FailingSince() const {
  std::lock_guard lock(mutex_);
  return failingSince_;
}

CapturedFrame FrameSlot::Newest() {
  std::lock_guard making(making_);
  Pending pending;
  std::shared_ptr<StreamDecoder> decoder;
  std::uint64_t session;
  {
    std::lock_guard lock(mutex_);
    if (pending_->Empty() || pending_->sequence == tried_) return made_;
    if (!pending.RefTo(*pending_)) return made_;
    pending.sequence = pending_->sequence;
    pending.decoded = pending_->decoded;
    decoder = decoder_;
    session = session_;
  }
  // Made outside the lock: the capture thread goes on reading meanwhile.
  QImage image = Make(pending, decoder.get());
  std::lock_guard lock(mutex_);
  if (session != session_) return made_;  // the connection it came from is gone
  tried_ = pending.sequence;
  if (image.isNull()) {
    if (!failingSince_) failingSince_ = Clock::now();
    return made_;
  }
  failingSince_.reset();
  spare_ = std::exchange(made_.image, std::move(image));
  made_.sequence = pending.sequence;
  made_.decoded = pending.decoded;
  return made_;
}

QImage FrameSlot::Make(const Pending& pending, StreamDecoder* decoder) {
  QImage reuse;
  {
    std::lock_guard lock(mutex_);
    // An image a caller still holds would be copied on the first write; not worth it.
    if (spare_.isDetached()) reuse = std::move(spare_);
    spare_ = QImage();
  }
  if (pending.frame->buf[0]) return converter_.Convert(pending.frame, std::move(reuse));
  if (!decoder || !decoder->DecodeAlone(pending.packet, decoded_)) return {};
  QImage image = converter_.Convert(decoded_, std::move(reuse));
  av_frame_unref(decoded_);
  return image;
}

}  // namespace miravela
