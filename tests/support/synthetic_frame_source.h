#pragma once
// A frame source that makes its own pictures: a still textured scene with a little
// sensor noise, objects that move across it, and changes of the overall light. Tests
// and the frame-loop benchmark drive detection with it.
#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

#include "base/control.h"
#include "base/frame_source.h"

namespace miravela {

class SyntheticFrameSource : public FrameSource {
 public:
  explicit SyntheticFrameSource(QSize size = QSize(640, 480), std::uint32_t seed = 1);

  // Per-channel noise of every frame, 0 for none.
  void SetNoise(int amplitude) { noise_ = amplitude; }
  // A solid object that moves by `velocity` pixels per frame.
  void AddObject(QRect rect, Color color, QPoint velocity = {});
  void ClearObjects() { objects_.clear(); }
  // Scales every channel of the scene, as a change of the overall light does.
  void SetLight(double gain) { light_ = gain; }
  // While unavailable, Snap fails as a camera without a frame does.
  void SetAvailable(bool available) { available_ = available; }

  std::optional<QImage> Snap() override;
  // The frame Snap would give, without advancing the scene.
  QImage Render() const;
  int Frames() const { return frames_; }
  const QImage& Scene() const { return scene_; }

 private:
  struct Object {
    QRect rect;
    Color color;
    QPoint velocity;
  };

  QImage scene_;
  std::vector<Object> objects_;
  int noise_ = 0;
  double light_ = 1.0;
  bool available_ = true;
  int frames_ = 0;
  std::uint32_t seed_;
};

}  // namespace miravela
