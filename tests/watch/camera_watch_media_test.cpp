// The camera watch on real media: clips made with the ffmpeg program for a covered lens,
// a dusk and a night, and a network camera over HTTP that stops and comes back.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstring>
#include <thread>

#include "base/fake_clock.h"
#include "capture/capture_support.h"
#include "capture/ffmpeg_camera.h"
#include "watch/camera_watch.h"

namespace miravela {
namespace {

using Event = CameraWatchEvent;
using namespace std::chrono_literals;

constexpr int kRate = 5;  // frames a second in the clips
constexpr int kWidth = 160, kHeight = 120;

// A scene full of detail, then what the graph `after` makes of it, with the noise of a
// sensor at high gain over everything.
QString Clip(const QString& path, const QString& graph) {
  const QString noisy = graph + QStringLiteral(",noise=alls=20:allf=t+u");
  return test::RunFfmpeg({"-f", "lavfi", "-i", noisy, "-c:v", "mjpeg", "-q:v", "3", path}) ? path : QString();
}

QString Scene(double seconds) {
  return QStringLiteral("testsrc2=s=%1x%2:r=%3:d=%4").arg(kWidth).arg(kHeight).arg(kRate).arg(seconds);
}

std::vector<QImage> Frames(const QString& clip) {
  QProcess ffmpeg;
  ffmpeg.start("ffmpeg", {"-hide_banner", "-loglevel", "error", "-i", clip, "-f", "rawvideo", "-pix_fmt", "bgra", "-"});
  std::vector<QImage> frames;
  if (!ffmpeg.waitForFinished(120000)) return frames;
  const QByteArray raw = ffmpeg.readAllStandardOutput();
  const qsizetype size = kWidth * kHeight * 4;
  for (qsizetype at = 0; at + size <= raw.size(); at += size) {
    QImage frame(kWidth, kHeight, QImage::Format_RGB32);
    std::memcpy(frame.bits(), raw.constData() + at, static_cast<std::size_t>(size));
    frames.push_back(frame);
  }
  return frames;
}

struct Played {
  std::vector<Event> events;
  std::vector<double> seconds;  // clip time of each event
};

// The clip as a camera: each frame is taken by the frame loop as it comes.
Played Play(const std::vector<QImage>& frames, int vigia) {
  FakeClock clock;
  const QDateTime start = clock.Now();
  Played played;
  QImage current;
  const AjustesVigilancia ajustes{.libreMb = std::nullopt, .vigiaSegundos = vigia};
  CameraWatch watch({.clock = clock,
                     .ajustes = ajustes,
                     .fotograma = [&] { return current; },
                     .avisar =
                         [&](Event e) {
                           played.events.push_back(e);
                           played.seconds.push_back(static_cast<double>(start.msecsTo(clock.Now())) / 1000);
                         }});
  watch.Vigilar(true);
  for (const QImage& frame : frames) {
    current = frame;
    watch.Visto(current);
    clock.Advance(1000 / kRate);
  }
  return played;
}

class CoveredClipTest : public ::testing::Test {
 protected:
  QTemporaryDir dir_;
};

TEST_F(CoveredClipTest, CoveredLensIsToldFromDuskAndNight) {
  const struct {
    const char* name;
    QString graph;
    double coveredAt;  // clip second, or -1 for never
  } cases[] = {
      // The lens covered at 4 s: black, but for the sensor's noise.
      {"covered", Scene(4) + "[a];color=c=0x0a0a0a:s=160x120:r=5:d=12[b];[a][b]concat=n=2", 4.0 + 5},
      // Darkening to black over a minute, then night.
      {"dusk", Scene(75) + ",fade=t=out:st=5:d=60", -1},
      // The lights go out at 4 s; the scene is dark but its detail is still there.
      {"night", Scene(4) + "[a];" + Scene(16) + ",colorlevels=romax=0.15:gomax=0.15:bomax=0.15[b];[a][b]concat=n=2",
       -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QString clip = Clip(dir_.filePath(QString(c.name) + ".mkv"), c.graph);
    ASSERT_FALSE(clip.isEmpty());
    const std::vector<QImage> frames = Frames(clip);
    ASSERT_GT(frames.size(), 15u * kRate);
    const Played played = Play(frames, 5);
    std::vector<Event> expected{Event::Reanudada};
    if (c.coveredAt >= 0) expected.push_back(Event::Tapada);
    ASSERT_EQ(played.events, expected);
    if (c.coveredAt >= 0) {
      EXPECT_NEAR(played.seconds.back(), c.coveredAt, 0.5);
    }
  }
}

// An MJPEG stream over HTTP that stops for longer than the watch time: the camera is
// lost in time, found again when the stream is back, and the return is flagged before
// the first frame back is taken.
TEST(LostStreamTest, StreamThatStopsIsLostAndRecovered) {
  QTemporaryDir dir;
  const int port = test::FreePort();
  ASSERT_GT(port, 0);
  const QString url = QStringLiteral("http://127.0.0.1:%1/video.mjpg").arg(port);
  const QStringList serve{
      "-hide_banner", "-loglevel", "error", "-re",    "-f",      "lavfi", "-i", "testsrc=size=160x120:rate=10",
      "-c:v",         "mjpeg",     "-f",    "mpjpeg", "-listen", "1",     url};
  QProcess server;
  server.start("ffmpeg", serve);
  ASSERT_TRUE(server.waitForStarted());
  test::CameraFixture fixture(dir.path(), {"Patio = " + url});
  FfmpegCamera camera(fixture.options);
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "Patio"));

  // Program time runs with real time, as the window's timers would.
  FakeClock clock;
  const QDateTime start = clock.Now();
  std::vector<std::pair<Event, double>> said;
  const AjustesVigilancia ajustes{.libreMb = std::nullopt, .vigiaSegundos = 2};
  CameraWatch watch({.clock = clock,
                     .ajustes = ajustes,
                     .fotograma = [&] { return camera.Snap(); },
                     .avisar =
                         [&](Event e) {
                           said.push_back({e, static_cast<double>(start.msecsTo(clock.Now())) / 1000});
                         }});
  watch.Vigilar(true);
  auto run = [&](
                 std::chrono::milliseconds span, const std::function<bool()>& until = [] { return false; }) {
    for (auto left = span; left > 0ms && !until(); left -= 50ms) {
      std::this_thread::sleep_for(50ms);
      watch.Visto(camera.Snap());  // the frame loop, taking its frames
      clock.Advance(50);
    }
  };
  auto saw = [&](Event e) {
    return std::any_of(said.begin(), said.end(), [&](const auto& s) { return s.first == e; });
  };

  run(15s, [&] { return saw(Event::Reanudada); });
  ASSERT_TRUE(saw(Event::Reanudada)) << "no frame from " << url.toStdString();
  run(1500ms);
  said.clear();

  server.kill();
  server.waitForFinished();
  const double stopped = static_cast<double>(start.msecsTo(clock.Now())) / 1000;
  run(6s, [&] { return saw(Event::Perdida); });
  ASSERT_TRUE(saw(Event::Perdida));
  EXPECT_NEAR(said.front().second - stopped, 2.0, 1.1);  // in time: one tick after the watch time

  server.start("ffmpeg", serve);
  ASSERT_TRUE(server.waitForStarted());
  run(20s, [&] { return saw(Event::Recuperada); });
  ASSERT_EQ(said.size(), 3u);
  EXPECT_EQ(said[1].first, Event::Recuperada);
  EXPECT_EQ(said[2].first, Event::Reanudada);
  camera.StopCamera();
  server.kill();
  server.waitForFinished();
}

}  // namespace
}  // namespace miravela
