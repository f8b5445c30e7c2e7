#include "capture/camera_source.h"

namespace miravela {

CameraSource SourceFromUrl(const QString& name, const QString& url) {
  constexpr QLatin1String kFilterPrefix("lavfi:");
  if (url.startsWith(kFilterPrefix)) return {name, SourceKind::Filter, url.mid(kFilterPrefix.size())};
  if (url.startsWith(QLatin1String("/dev/video"))) return {name, SourceKind::Device, url};
  return {name, SourceKind::Url, url};
}

bool SourceNeedsPacing(const CameraSource& source) {
  switch (source.kind) {
    case SourceKind::Device:
      return false;
    case SourceKind::Filter:
      return true;
    case SourceKind::Url:
      break;
  }
  // A URL with a scheme other than file: is a stream that arrives in real time.
  const qsizetype colon = source.location.indexOf(QLatin1String("://"));
  if (colon < 0) return true;
  return source.location.startsWith(QLatin1String("file:"));
}

}  // namespace miravela
