#include "detect/room_clips.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <QFile>
#include <QStringList>

#include "capture/capture_support.h"

namespace miravela::test {

namespace {

// Wall tiles, floor, a window that a bright lamp burns out, a door, a table with a plant
// and a colourful picture; frozen uniform noise gives every surface a texture.
const char* const kRoom =
    "color=c=0x8c7f6a:s=640x480:r=1,"
    "drawbox=x=0:y=340:w=640:h=140:color=0x5e4a36:t=fill,"
    "drawbox=x=0:y=336:w=640:h=6:color=0x3e3024:t=fill,"
    "drawbox=x=60:y=70:w=180:h=140:color=0xc8dcec:t=fill,"
    "drawbox=x=60:y=70:w=180:h=140:color=0xeeeae0:t=8,"
    "drawbox=x=146:y=70:w=8:h=140:color=0xeeeae0:t=fill,"
    "drawbox=x=440:y=110:w=120:h=232:color=0x6b4428:t=fill,"
    "drawbox=x=440:y=110:w=120:h=232:color=0x4a2e1a:t=5,"
    "drawbox=x=536:y=220:w=10:h=10:color=0xd8c070:t=fill,"
    "drawbox=x=270:y=270:w=130:h=14:color=0x4c3424:t=fill,"
    "drawbox=x=280:y=284:w=10:h=70:color=0x4c3424:t=fill,"
    "drawbox=x=380:y=284:w=10:h=70:color=0x4c3424:t=fill,"
    "drawbox=x=300:y=236:w=40:h=34:color=0x2c6a3a:t=fill,"
    "drawgrid=w=80:h=35:color=0x4a3828:t=2,"
    "noise=alls=40:allf=u,gblur=sigma=0.8[room];"
    "testsrc2=s=120x90:r=1,format=rgb24[picture];"
    "[room][picture]overlay=x=300:y=90";

constexpr int kBoxWidth = 110, kBoxHeight = 320, kBoxTop = 130, kWidth = 640;

QString Number(double value) { return QString::number(value, 'f', 3); }

// The box's left edge over time, from outside one edge to outside the other.
QString BoxX(const Crossing& c) {
  const double speed = (kWidth + kBoxWidth) / kCrossingSeconds;
  return c.rightwards ? QStringLiteral("-%1+(t-%2)*%3").arg(kBoxWidth).arg(Number(c.start), Number(speed))
                      : QStringLiteral("%1-(t-%2)*%3").arg(kWidth).arg(Number(c.start), Number(speed));
}

bool WriteLight(std::vector<LightStep> light, const QString& path) {
  if (light.empty()) light.push_back({0, 1});  // the filter wants at least one command
  QString commands;
  for (const LightStep& step : light)
    for (const char* channel : {"rr", "gg", "bb"})
      commands +=
          QStringLiteral("%1 colorchannelmixer@luz %2 %3;\n").arg(Number(step.second), channel, Number(step.gain));
  QFile file(path);
  return file.open(QIODevice::WriteOnly) && file.write(commands.toUtf8()) == commands.toUtf8().size();
}

QString Graph(const RoomClip& clip, const QString& lightFile) {
  const auto n = clip.crossings.size();
  QString graph;
  QString last = QStringLiteral("[0]");
  if (n > 0) {
    graph =
        QStringLiteral("color=c=0x2a2630:s=%1x%2:r=%3,split=%4").arg(kBoxWidth).arg(kBoxHeight).arg(kClipRate).arg(n);
    for (std::size_t i = 0; i < n; ++i) graph += QStringLiteral("[b%1]").arg(i);
    graph += u';';
  }
  for (std::size_t i = 0; i < n; ++i) {
    const Crossing& c = clip.crossings[i];
    graph += QStringLiteral("%1[b%2]overlay=x='%3':y=%4:enable='between(t,%5,%6)':eval=frame:shortest=1[v%2];")
                 .arg(last)
                 .arg(i)
                 .arg(BoxX(c))
                 .arg(kBoxTop)
                 .arg(Number(c.start), Number(c.start + kCrossingSeconds));
    last = QStringLiteral("[v%1]").arg(i);
  }
  // The light falls on the box too; the sensor adds its noise last.
  graph += last + QStringLiteral("sendcmd=f=%1,colorchannelmixer@luz,noise=alls=6:allf=t[out]").arg(lightFile);
  return graph;
}

}  // namespace

bool MakeRoom(const QString& png) {
  return RunFfmpeg({"-f", "lavfi", "-i", QString::fromLatin1(kRoom), "-frames:v", "1", png});
}

bool MakeClip(const QString& room, const RoomClip& clip, const QString& path) {
  const QString lightFile = path + QStringLiteral(".cmd");
  if (!WriteLight(clip.light, lightFile)) return false;
  return RunFfmpeg({"-loop", "1", "-framerate", QString::number(kClipRate), "-t", Number(clip.seconds), "-i", room,
                    "-filter_complex", Graph(clip, lightFile), "-map", "[out]", "-c:v", "mjpeg", "-q:v", "5", path});
}

ClipSource::ClipSource(const QString& path, int step) : input_(stop_, {}), step_(step) {
  opened_ = input_.Open(CameraSource{QStringLiteral("clip"), SourceKind::Url, path}, std::nullopt);
}

std::optional<QImage> ClipSource::Snap() {
  if (!opened_) return std::nullopt;
  AVFrame* frame = av_frame_alloc();
  std::optional<QImage> image;
  // The first snapshot is the clip's first frame; each later one is `step` frames on.
  for (int wanted = first_ ? 1 : step_; wanted > 0;) {
    const ReadResult result = input_.Read(frame);
    if (result == ReadResult::End || result == ReadResult::Error) {
      image.reset();
      break;
    }
    if (result != ReadResult::Frame) continue;
    if (--wanted == 0) image = converter_.Convert(frame);
    av_frame_unref(frame);
  }
  av_frame_free(&frame);
  first_ = false;
  return image;
}

}  // namespace miravela::test
