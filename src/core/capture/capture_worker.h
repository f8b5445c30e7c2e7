#pragma once
// The capture thread of one started camera: opens the source and reads it at its own
// pace, so the picture is always current, handing each frame to the slot unmade (see
// FrameSlot); when the source fails or ends, it clears the frame and reconnects with a
// growing pause. Nothing here blocks the thread that owns the worker for long.
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "base/hook.h"
#include "capture/camera_source.h"
#include "capture/ffmpeg_input.h"
#include "capture/frame_slot.h"
#include "capture/stream_format.h"

namespace miravela {

struct ReconnectPolicy {
  std::chrono::milliseconds first{500};
  std::chrono::milliseconds longest{8000};
};

struct CaptureTiming {
  InputTimeouts timeouts;
  ReconnectPolicy reconnect;
  // A source that delivers no frame for this long counts as lost.
  std::chrono::milliseconds stall{5000};
  // How long a stop waits for the thread before leaving it to finish on its own.
  std::chrono::milliseconds stopWait{1000};
};

enum class CaptureStatus { Connecting, Streaming, Reconnecting, Stopped };

struct CaptureSettings {
  CameraSource source;
  std::optional<StreamFormat> format;
  CaptureTiming timing;
  bool pace = true;  // hold frames back to their timestamps (files, filter graphs)
  // Called on the capture thread when the device opens only without the asked format.
  Hook<void()> formatRefused;
};

class CaptureWorker {
 public:
  explicit CaptureWorker(CaptureSettings settings);
  // Stops and waits at most timing.stopWait; a thread still stuck in a system call
  // (a name lookup, say) finishes by itself later and touches nothing of ours.
  ~CaptureWorker();
  CaptureWorker(const CaptureWorker&) = delete;
  CaptureWorker& operator=(const CaptureWorker&) = delete;

  // The newest picture, made on this call when it is not made yet.
  CapturedFrame Newest() const;
  CaptureStatus Status() const;
  // The format the source delivers, once it has been opened.
  std::optional<StreamFormat> Delivered() const;
  // While paused frames are read but not published, so the last one stays.
  void SetPaused(bool paused);
  bool Paused() const;

  struct Shared;

 private:
  std::shared_ptr<Shared> shared_;
  std::thread thread_;
};

}  // namespace miravela
