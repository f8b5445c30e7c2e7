#include "capture/camera_list.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

#include "capture/v4l2_device.h"

namespace miravela {
namespace {

// A cameras file is a few lines written by hand; a huge one is not what we think it is.
constexpr qint64 kMaxCamerasFileBytes = 1 << 20;

std::optional<CameraSource> ParseCameraLine(const QString& raw) {
  const QString line = raw.trimmed();
  if (line.isEmpty() || line.startsWith(u'#')) return std::nullopt;
  const qsizetype eq = line.indexOf(u'=');
  if (eq < 0) return std::nullopt;
  const QString name = line.left(eq).trimmed();
  const QString url = line.mid(eq + 1).trimmed();
  if (name.isEmpty() || url.isEmpty()) return std::nullopt;
  CameraSource source = SourceFromUrl(name, url);
  // A graph prefix with nothing after it would be offered as a camera that can never open.
  if (source.kind == SourceKind::Filter && source.location.trimmed().isEmpty()) return std::nullopt;
  return source;
}

}  // namespace

std::vector<CameraSource> ParseCamerasFile(const QByteArray& text) {
  QString decoded = QString::fromUtf8(text);
  if (decoded.startsWith(QChar(0xFEFF))) decoded.remove(0, 1);
  std::vector<CameraSource> cameras;
  for (const QString& line : decoded.split(u'\n'))
    if (auto camera = ParseCameraLine(line)) cameras.push_back(*camera);
  return cameras;
}

std::vector<CameraSource> ReadCamerasFile(const QString& path) {
  if (path.isEmpty()) return {};
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > kMaxCamerasFileBytes) return {};
  return ParseCamerasFile(file.readAll());
}

QStringList VideoNodes(const QString& folder) {
  static const QRegularExpression kNode(QStringLiteral("^video(\\d+)$"));
  std::vector<std::pair<long long, QString>> nodes;
  const QStringList names = QDir(folder).entryList(QDir::System | QDir::Files | QDir::NoDotAndDotDot);
  for (const QString& name : names) {
    const QRegularExpressionMatch match = kNode.match(name);
    if (match.hasMatch()) nodes.emplace_back(match.captured(1).toLongLong(), name);
  }
  std::sort(nodes.begin(), nodes.end());
  QStringList ordered;
  for (const auto& node : nodes) ordered << QDir(folder).filePath(node.second);
  return ordered;
}

std::vector<CameraSource> ListCaptureDevices(const QString& folder) {
  std::vector<CameraSource> devices;
  for (const QString& path : VideoNodes(folder)) {
    const std::optional<QString> card = CaptureCardName(path);
    if (card) devices.push_back({card->isEmpty() ? path : *card, SourceKind::Device, path});
  }
  return devices;
}

QString DemoSceneGraph() {
  // Wall, floor, window, door and a table drawn once; a figure (body and head) crosses
  // the room for six seconds of every thirty, starting ten seconds in, so the scene
  // spends most of its time perfectly still like a real room under surveillance.
  const QString walk = QStringLiteral("if(between(mod(t\\,30)\\,10\\,16)\\,-60+(mod(t\\,30)-10)*120\\,-100)");
  return QStringLiteral(
             "color=c=0xb9ad96:s=640x480:r=15,"
             "drawbox=x=0:y=340:w=640:h=140:color=0x6b5440:t=fill,"
             "drawbox=x=0:y=336:w=640:h=6:color=0x4a3a2c:t=fill,"
             "drawbox=x=60:y=70:w=180:h=140:color=0xa8cde8:t=fill,"
             "drawbox=x=60:y=70:w=180:h=140:color=0xf2f0ea:t=8,"
             "drawbox=x=146:y=70:w=8:h=140:color=0xf2f0ea:t=fill,"
             "drawbox=x=440:y=110:w=120:h=232:color=0x7b5232:t=fill,"
             "drawbox=x=440:y=110:w=120:h=232:color=0x5a3a22:t=5,"
             "drawbox=x=536:y=220:w=10:h=10:color=0xd8c070:t=fill,"
             "drawbox=x=270:y=270:w=130:h=14:color=0x5c4030:t=fill,"
             "drawbox=x=280:y=284:w=10:h=70:color=0x5c4030:t=fill,"
             "drawbox=x=380:y=284:w=10:h=70:color=0x5c4030:t=fill,"
             "drawbox=x=300:y=236:w=40:h=34:color=0x3c7a4a:t=fill[room];"
             "color=c=0x2e3d66:s=56x170:r=15[body];"
             "color=c=0xd9a982:s=34x34:r=15[head];"
             "[room][body]overlay=x='%1':y=200:eval=frame[half];"
             "[half][head]overlay=x='%1+11':y=163:eval=frame[out0]")
      .arg(walk);
}

CameraSource DemoCamera() { return {QStringLiteral("Cámara de demostración"), SourceKind::Filter, DemoSceneGraph()}; }

std::vector<CameraSource> LoadCameraSources(const CameraListOptions& options) {
  std::vector<CameraSource> sources = ListCaptureDevices(options.deviceFolder);
  for (CameraSource& camera : ReadCamerasFile(options.camerasFile)) sources.push_back(camera);
  if (options.demo) sources.push_back(DemoCamera());
  return sources;
}

QStringList CameraNames(const std::vector<CameraSource>& sources) {
  QStringList names;
  for (const CameraSource& source : sources) names << source.name;
  return names;
}

}  // namespace miravela
