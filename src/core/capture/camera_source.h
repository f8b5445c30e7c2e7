#pragma once
// One entry of the camera list: what the user sees and what FFmpeg is asked to open.
#include <QString>

namespace miravela {

enum class SourceKind {
  Device,  // a V4L2 capture node, /dev/videoN
  Filter,  // an FFmpeg filter graph (test sources, the demo scene)
  Url,     // a network camera or a video file, format found by probing
};

struct CameraSource {
  QString name;  // friendly name shown in the camera list
  SourceKind kind = SourceKind::Url;
  QString location;  // device path, filter graph text or URL
  bool operator==(const CameraSource&) const = default;
};

// The text after "name =" in the cameras file: "lavfi:<graph>" is a filter graph,
// a path under /dev/video a V4L2 device, anything else a URL or file for FFmpeg to probe.
CameraSource SourceFromUrl(const QString& name, const QString& url);

// Live sources deliver at their own pace; files and filter graphs run as fast as they
// can be read, so the capture thread paces them to their timestamps.
bool SourceNeedsPacing(const CameraSource& source);

}  // namespace miravela
