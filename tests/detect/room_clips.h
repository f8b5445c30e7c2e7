#pragma once
// Clips of a furnished room made with the ffmpeg program: a detailed still scene under
// changing light, with sensor noise and a dark, person-sized box walking through; and a
// frame source that plays a clip to the frame loop at the pace of its timer.
#include <QString>
#include <atomic>
#include <memory>
#include <vector>

#include "base/frame_source.h"
#include "capture/ffmpeg_input.h"
#include "capture/frame_converter.h"

namespace miravela::test {

inline constexpr int kClipRate = 10;           // frames per second
inline constexpr double kCrossingSeconds = 3;  // the box crosses the picture in this time

// From `second` on, every channel of the scene is scaled by `gain`.
struct LightStep {
  double second, gain;
};
// The box enters at `start` from the left (or from the right) and is gone three seconds later.
struct Crossing {
  double start;
  bool rightwards = true;
};
struct RoomClip {
  double seconds;
  std::vector<LightStep> light;  // none: the light stays as it is
  std::vector<Crossing> crossings;
};

// Draws the still room into `png`; true when ffmpeg made it.
bool MakeRoom(const QString& png);
// Films `clip` of the room at 640 x 480 into `path` (Motion-JPEG, as a web camera sends).
bool MakeClip(const QString& room, const RoomClip& clip, const QString& path);

// Plays a clip file through the program's FFmpeg input and converter, one frame of every
// `step` per Snap, as a timer slower than the camera sees it; nothing once it ends.
class ClipSource : public FrameSource {
 public:
  ClipSource(const QString& path, int step);
  std::optional<QImage> Snap() override;
  bool Opened() const { return opened_; }

 private:
  std::atomic<bool> stop_{false};
  FfmpegInput input_;
  FrameConverter converter_;
  int step_;
  bool opened_ = false, first_ = true;
};

}  // namespace miravela::test
