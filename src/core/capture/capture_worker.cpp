#include "capture/capture_worker.h"

#include <condition_variable>
#include <mutex>

extern "C" {
#include <libavcodec/packet.h>
#include <libavutil/frame.h>
}

#include "capture/stream_decoder.h"

namespace miravela {

using Clock = std::chrono::steady_clock;

struct CaptureWorker::Shared {
  explicit Shared(CaptureSettings s) : settings(std::move(s)) {}

  const CaptureSettings settings;
  std::atomic<bool> stop{false};
  std::atomic<bool> paused{false};
  std::atomic<bool> formatDropped{false};
  std::atomic<CaptureStatus> status{CaptureStatus::Connecting};
  FrameSlot slot;

  mutable std::mutex mutex;
  std::condition_variable wake;
  bool finished = false;
  std::optional<StreamFormat> delivered;

  // Sleeps, but wakes at once on a stop. False when stopped.
  bool Sleep(Clock::duration time) {
    std::unique_lock lock(mutex);
    return !wake.wait_for(lock, time, [this] { return stop.load(); });
  }
  void RequestStop() {
    {
      std::lock_guard lock(mutex);
      stop = true;
    }
    wake.notify_all();
  }
};

namespace {

using Shared = CaptureWorker::Shared;

struct FrameDeleter {
  void operator()(AVFrame* frame) const { av_frame_free(&frame); }
};

// Holds frames of a file or filter graph back until their time has come, so they
// arrive as from a camera. Far behind (after a pause), it starts counting afresh.
class Pacer {
 public:
  explicit Pacer(bool on) : on_(on) {}
  bool Wait(Shared& shared, double seconds) {
    if (!on_ || seconds < 0) return true;
    const auto now = Clock::now();
    const auto offset = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
    if (!started_ || now - (start_ + offset) > std::chrono::seconds(1) ||
        (start_ + offset) - now > std::chrono::seconds(5)) {
      start_ = now - offset;
      started_ = true;
    }
    const auto due = start_ + offset;
    return due <= now || shared.Sleep(due - now);
  }

 private:
  bool on_;
  bool started_ = false;
  Clock::time_point start_;
};

bool OpenSource(Shared& shared, FfmpegInput& input) {
  const CaptureSettings& settings = shared.settings;
  const std::optional<StreamFormat> asked = shared.formatDropped ? std::nullopt : settings.format;
  if (input.Open(settings.source, asked)) return true;
  // A device that refuses the saved format may still open with its own default.
  if (!asked || settings.source.kind != SourceKind::Device || shared.stop) return false;
  if (!input.Open(settings.source, std::nullopt)) return false;
  shared.formatDropped = true;
  settings.formatRefused();
  return true;
}

struct PacketDeleter {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};

// What one connection reads, handed over unmade: the packets of a stream whose
// pictures stand alone, else decoded frames. True for each one handed over.
class SessionReader {
 public:
  SessionReader(Shared& shared, FfmpegInput& input)
      : shared_(shared), input_(input), packets_(input.IntraOnly()), pacer_(shared.settings.pace) {}

  bool Ready() const { return packets_ ? packet_ != nullptr : frame_ != nullptr; }
  ReadResult Next() {
    const ReadResult result = packets_ ? input_.ReadPacket(packet_.get()) : input_.Read(frame_.get());
    if (result != ReadResult::Frame) return result;
    const bool onTime = pacer_.Wait(shared_, packets_ ? input_.Seconds(packet_.get()) : input_.Seconds(frame_.get()));
    // A paced frame counts as decoded when its time comes, as it would from a camera.
    const auto decoded = Clock::now();
    if (onTime && !shared_.paused) {
      if (packets_)
        shared_.slot.PublishPacket(packet_.get(), decoded);
      else
        shared_.slot.PublishFrame(frame_.get(), decoded);
    }
    av_packet_unref(packet_.get());
    av_frame_unref(frame_.get());
    return onTime ? ReadResult::Frame : ReadResult::End;
  }

 private:
  Shared& shared_;
  FfmpegInput& input_;
  const bool packets_;
  Pacer pacer_;
  std::unique_ptr<AVPacket, PacketDeleter> packet_{av_packet_alloc()};
  std::unique_ptr<AVFrame, FrameDeleter> frame_{av_frame_alloc()};
};

// The decoder the slot makes pictures with, for streams read as packets.
bool BeginSlot(Shared& shared, FfmpegInput& input) {
  if (!input.IntraOnly()) {
    shared.slot.Begin(nullptr);
    return true;
  }
  std::shared_ptr<StreamDecoder> decoder = input.NewDecoder();
  if (!decoder) return false;
  shared.slot.Begin(std::move(decoder));
  return true;
}

// One connection: open, then frames until the source ends, fails or we are stopped.
// True when at least one frame came through.
bool RunSession(Shared& shared) {
  FfmpegInput input(shared.stop, shared.settings.timing.timeouts);
  if (!OpenSource(shared, input)) return false;
  {
    std::lock_guard lock(shared.mutex);
    shared.delivered = input.Format();
  }
  if (!BeginSlot(shared, input)) return false;
  SessionReader reader(shared, input);
  const auto stall = shared.settings.timing.stall;
  bool delivered = false;
  auto lastFrame = Clock::now();
  while (!shared.stop && reader.Ready()) {
    const ReadResult result = reader.Next();
    if (result == ReadResult::End || result == ReadResult::Error) break;
    // Pictures that arrive but none of which decodes are no better than none.
    const std::optional<Clock::time_point> failing = shared.slot.FailingSince();
    if (failing && Clock::now() - *failing > stall) break;
    if (result != ReadResult::Frame) {
      if (Clock::now() - lastFrame > stall) break;
      if (result == ReadResult::Wait && !shared.Sleep(std::chrono::milliseconds(5))) break;
      continue;
    }
    lastFrame = Clock::now();
    shared.status = CaptureStatus::Streaming;
    delivered = true;
  }
  return delivered;
}

void RunCapture(const std::shared_ptr<Shared>& shared) {
  const ReconnectPolicy& policy = shared->settings.timing.reconnect;
  auto pause = policy.first;
  while (!shared->stop) {
    const bool delivered = RunSession(*shared);
    shared->slot.Clear();
    if (shared->stop) break;
    shared->status = CaptureStatus::Reconnecting;
    if (delivered) pause = policy.first;
    if (!shared->Sleep(pause)) break;
    if (!delivered) pause = std::min(pause * 2, policy.longest);
  }
  shared->status = CaptureStatus::Stopped;
  {
    std::lock_guard lock(shared->mutex);
    shared->finished = true;
  }
  shared->wake.notify_all();
}

}  // namespace

CaptureWorker::CaptureWorker(CaptureSettings settings)
    : shared_(std::make_shared<Shared>(std::move(settings))), thread_([shared = shared_] { RunCapture(shared); }) {}

CaptureWorker::~CaptureWorker() {
  shared_->RequestStop();
  bool finished;
  {
    std::unique_lock lock(shared_->mutex);
    finished = shared_->wake.wait_for(lock, shared_->settings.timing.stopWait, [this] { return shared_->finished; });
  }
  if (finished)
    thread_.join();
  else
    thread_.detach();
}

CapturedFrame CaptureWorker::Newest() const { return shared_->slot.Newest(); }

CaptureStatus CaptureWorker::Status() const { return shared_->status; }

std::optional<StreamFormat> CaptureWorker::Delivered() const {
  std::lock_guard lock(shared_->mutex);
  return shared_->delivered;
}

void CaptureWorker::SetPaused(bool paused) { shared_->paused = paused; }

bool CaptureWorker::Paused() const { return shared_->paused; }

}  // namespace miravela
