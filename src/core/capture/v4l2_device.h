#pragma once
// What a V4L2 capture node says about itself: its card name, the formats it offers and
// its controls (brightness, contrast, exposure …).
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "capture/stream_format.h"

namespace miravela {

// The card name when the node is a video capture device, nothing otherwise.
std::optional<QString> CaptureCardName(const QString& devicePath);

// Every pixel format, size and rate the device lists that FFmpeg can take.
std::vector<FormatOption> QueryDeviceFormats(const QString& devicePath);

// The FFmpeg name of a V4L2 pixel format code; empty when FFmpeg cannot take it.
QString PixelFormatName(std::uint32_t fourcc);

enum class ControlKind { Integer, Boolean, Menu, Button };

struct DeviceControl {
  std::uint32_t id = 0;
  QString name;
  ControlKind kind = ControlKind::Integer;
  int minimum = 0;
  int maximum = 0;
  int step = 1;
  int defaultValue = 0;
  int value = 0;
  bool readOnly = false;
  std::vector<std::pair<int, QString>> menu;  // value and label, for menus
};

// The device settings the settings dialog edits.
class DeviceControls {
 public:
  virtual ~DeviceControls() = default;
  virtual std::vector<DeviceControl> List() = 0;
  virtual std::optional<int> Get(std::uint32_t id) = 0;
  virtual bool Set(std::uint32_t id, int value) = 0;
};

// Controls through a file descriptor of its own, so they can be changed while FFmpeg
// streams from the same node.
class V4l2Controls : public DeviceControls {
 public:
  explicit V4l2Controls(const QString& devicePath);
  ~V4l2Controls() override;
  V4l2Controls(const V4l2Controls&) = delete;
  V4l2Controls& operator=(const V4l2Controls&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  std::vector<DeviceControl> List() override;
  std::optional<int> Get(std::uint32_t id) override;
  bool Set(std::uint32_t id, int value) override;

 private:
  int fd_ = -1;
};

// Sources without device controls (network cameras, files, filter graphs).
class NoControls : public DeviceControls {
 public:
  std::vector<DeviceControl> List() override { return {}; }
  std::optional<int> Get(std::uint32_t) override { return std::nullopt; }
  bool Set(std::uint32_t, int) override { return false; }
};

}  // namespace miravela
