#include "capture/capture_worker.h"

#include <condition_variable>
#include <mutex>

extern "C" {
#include <libavutil/frame.h>
}

#include "capture/frame_converter.h"

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
  if (settings.formatRefused) settings.formatRefused();
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
  std::unique_ptr<AVFrame, FrameDeleter> frame(av_frame_alloc());
  FrameConverter converter;
  Pacer pacer(shared.settings.pace);
  bool delivered = false;
  auto lastFrame = Clock::now();
  while (!shared.stop && frame) {
    const ReadResult result = input.Read(frame.get());
    if (result == ReadResult::End || result == ReadResult::Error) break;
    if (result != ReadResult::Frame) {
      if (Clock::now() - lastFrame > shared.settings.timing.stall) break;
      if (result == ReadResult::Wait && !shared.Sleep(std::chrono::milliseconds(5))) break;
      continue;
    }
    lastFrame = Clock::now();
    if (!pacer.Wait(shared, input.Seconds(frame.get()))) break;
    // A paced frame counts as decoded when its time comes, as it would from a camera.
    const auto decoded = Clock::now();
    if (!shared.paused) {
      QImage image = converter.Convert(frame.get(), shared.slot.TakeSpare());
      if (!image.isNull()) shared.slot.Publish(std::move(image), decoded);
    }
    av_frame_unref(frame.get());
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
