// The capture control against real FFmpeg sources: test patterns, generated files, a
// network stream served by the ffmpeg program, and sources that fail in every way.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "capture/capture_backend.h"
#include "capture_support.h"

namespace miravela {
namespace {

using namespace std::chrono_literals;
using test::CameraFixture;
using test::WaitFor;

const QString kPattern = QStringLiteral("testsrc=size=320x240:rate=15");

class CameraTest : public ::testing::Test {
 protected:
  FfmpegCameraOptions Options(const QStringList& camLines) { return CameraFixture(dir_.path(), camLines).options; }
  static bool GetsFrames(FfmpegCamera& camera) {
    return WaitFor([&] { return !camera.Snap().isNull(); });
  }
  QTemporaryDir dir_;
};

TEST(CaptureBackend, IsAvailableHere) { EXPECT_TRUE(CaptureBackendAvailable()); }

TEST_F(CameraTest, SnapWithoutCameraIsNull) {
  FfmpegCamera camera(Options({test::FilterCamera("Patrón", kPattern)}));
  EXPECT_TRUE(camera.Snap().isNull());
  EXPECT_EQ(camera.LoadCamera(), QStringList{QString::fromUtf8("Patrón")});
  EXPECT_TRUE(camera.Snap().isNull());
  ASSERT_TRUE(camera.StartCamera(0, "Patrón"));
  ASSERT_TRUE(GetsFrames(camera));
  camera.StopCamera();
  EXPECT_TRUE(camera.Snap().isNull());
  EXPECT_EQ(camera.State(), 0);
}

TEST_F(CameraTest, StartedCameraDeliversFramesAtItsSize) {
  FfmpegCamera camera(Options(
      {"roto", test::FilterCamera("A", "color=c=0x2060c0:size=64x48:rate=10"), test::FilterCamera("B", kPattern)}));
  ASSERT_EQ(camera.LoadCamera(), (QStringList{"A", "B"}));
  ASSERT_TRUE(camera.StartCamera(1, "B"));
  ASSERT_TRUE(GetsFrames(camera));
  EXPECT_EQ(camera.Snap().size(), QSize(320, 240));
  EXPECT_EQ(camera.Snap().format(), QImage::Format_RGB32);
  EXPECT_EQ(camera.NativeSize(), QSize(320, 240));
  EXPECT_DOUBLE_EQ(camera.AspectRatio(), 320.0 / 240.0);
  EXPECT_EQ(camera.State(), 2);
  ASSERT_NE(camera.CaptureFilter(), nullptr);
  EXPECT_EQ(camera.CaptureFilter()->name, "B");
}

TEST_F(CameraTest, SecondStartIsRefusedAndLeavesTheCameraRunning) {
  FfmpegCamera camera(Options({test::FilterCamera("A", kPattern)}));
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "A"));
  camera.LoadCamera();
  EXPECT_FALSE(camera.StartCamera(0, "A"));
  ASSERT_TRUE(GetsFrames(camera));
  const std::uint64_t seen = camera.Newest().sequence;
  EXPECT_TRUE(WaitFor([&] { return camera.Newest().sequence > seen; }));
}

TEST_F(CameraTest, StartConsumesTheDeviceList) {
  FfmpegCamera camera(Options({test::FilterCamera("A", kPattern)}));
  EXPECT_FALSE(camera.StartCamera(0, "A"));  // never loaded
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "A"));
  camera.StopCamera();
  EXPECT_FALSE(camera.StartCamera(0, "A"));
  EXPECT_FALSE(camera.Started());
  camera.LoadCamera();
  EXPECT_FALSE(camera.StartCamera(1, "A"));  // outside the list, and the list is spent
  camera.LoadCamera();
  EXPECT_TRUE(camera.StartCamera(0, "A"));
}

TEST_F(CameraTest, CorruptFormatFileIsDeletedAndTheCameraStarts) {
  const FfmpegCameraOptions options = Options({test::FilterCamera("A", kPattern)});
  QFile cfg(options.formatFile);
  ASSERT_TRUE(cfg.open(QIODevice::WriteOnly));
  cfg.write("\x13\x37 no es un formato \xff");
  cfg.close();
  FfmpegCamera camera(options);
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "A"));
  EXPECT_FALSE(QFile::exists(options.formatFile));
  EXPECT_TRUE(GetsFrames(camera));
}

TEST_F(CameraTest, SavedFormatIsKeptForSourcesThatTakeNone) {
  const FfmpegCameraOptions options = Options({test::FilterCamera("A", kPattern)});
  const StreamFormat saved{QSize(1280, 720), {30, 1}, "mjpeg"};
  ASSERT_TRUE(SaveFormatFile(options.formatFile, saved));
  FfmpegCamera camera(options);
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "A"));
  ASSERT_TRUE(GetsFrames(camera));
  EXPECT_EQ(camera.Snap().size(), QSize(320, 240));
  EXPECT_EQ(LoadFormatFile(options.formatFile), saved);
}

// Colours survive decoding and conversion, for limited-range video and for the
// full-range JPEG frames webcams send.
TEST_F(CameraTest, ColoursArriveUnchanged) {
  const QString mjpeg = dir_.filePath("color.avi");
  ASSERT_TRUE(test::RunFfmpeg({"-f", "lavfi", "-i", "color=c=0x2060c0:size=64x48:rate=10:duration=3", "-c:v", "mjpeg",
                               "-pix_fmt", "yuvj422p", "-q:v", "2", mjpeg}));
  for (const QString& url : {QString("lavfi:color=c=0x2060c0:size=64x48:rate=10"), mjpeg}) {
    SCOPED_TRACE(url.toStdString());
    FfmpegCamera camera(Options({"A = " + url}));
    camera.LoadCamera();
    ASSERT_TRUE(camera.StartCamera(0, "A"));
    ASSERT_TRUE(GetsFrames(camera));
    const QRgb pixel = camera.Snap().pixel(32, 24);
    EXPECT_NEAR(qRed(pixel), 0x20, 4);
    EXPECT_NEAR(qGreen(pixel), 0x60, 4);
    EXPECT_NEAR(qBlue(pixel), 0xc0, 4);
  }
}

TEST_F(CameraTest, FileThatEndsLeavesNoFrameThenComesBack) {
  const QString clip = dir_.filePath("corto.mkv");
  ASSERT_TRUE(test::MakeTestVideo(clip, "160x120", 1.0, {"-c:v", "mjpeg"}));
  FfmpegCamera camera(Options({"Corto = " + clip}));
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "Corto"));
  ASSERT_TRUE(GetsFrames(camera));
  ASSERT_TRUE(WaitFor([&] { return camera.Snap().isNull(); }));
  EXPECT_EQ(camera.Status(), CaptureStatus::Reconnecting);
  EXPECT_TRUE(GetsFrames(camera));
  EXPECT_EQ(camera.Snap().size(), QSize(160, 120));
}

// A network camera that stops while connected: the picture goes, the control keeps
// trying, and when the camera serves again the frames come back.
TEST_F(CameraTest, NetworkCameraThatStopsIsReconnected) {
  const int port = test::FreePort();
  ASSERT_GT(port, 0);
  const QString url = QStringLiteral("tcp://127.0.0.1:%1").arg(port);
  const QStringList serve{"-hide_banner",
                          "-loglevel",
                          "error",
                          "-re",
                          "-f",
                          "lavfi",
                          "-i",
                          "testsrc=size=160x120:rate=10",
                          "-c:v",
                          "mjpeg",
                          "-f",
                          "nut",
                          url + "?listen=1"};
  QProcess server;
  server.start("ffmpeg", serve);
  ASSERT_TRUE(server.waitForStarted());
  FfmpegCamera camera(Options({"Red = " + url}));
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "Red"));
  ASSERT_TRUE(GetsFrames(camera));

  server.kill();
  server.waitForFinished();
  ASSERT_TRUE(WaitFor([&] { return camera.Snap().isNull(); }));
  EXPECT_TRUE(WaitFor([&] { return camera.Status() == CaptureStatus::Reconnecting; }));

  server.start("ffmpeg", serve);
  ASSERT_TRUE(server.waitForStarted());
  EXPECT_TRUE(GetsFrames(camera));
  camera.StopCamera();
  server.kill();
  server.waitForFinished();
}

TEST_F(CameraTest, UndecodableSourcesGiveNoFrameAndStopCleanly) {
  const QString garbage = dir_.filePath("basura.mkv");
  QFile file(garbage);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  QByteArray noise(200000, '\0');
  for (qsizetype i = 0; i < noise.size(); ++i) noise[i] = static_cast<char>((i * 7919 + 13) % 251);
  file.write(noise);
  file.close();
  FfmpegCamera camera(Options({"Basura = " + garbage, "Nada = /no/existe.mkv"}));
  for (int index : {0, 1}) {
    camera.LoadCamera();
    ASSERT_TRUE(camera.StartCamera(index, {}));
    EXPECT_TRUE(WaitFor([&] { return camera.Status() == CaptureStatus::Reconnecting; }));
    EXPECT_TRUE(camera.Snap().isNull());
    camera.StopCamera();
  }
}

// A damaged file: the container holds, the compressed pictures inside are garbled.
TEST_F(CameraTest, DamagedPicturesDoNotStopTheCapture) {
  const QString clip = dir_.filePath("danado.mkv");
  ASSERT_TRUE(test::MakeTestVideo(clip, "160x120", 2.0, {"-c:v", "mjpeg"}));
  QFile file(clip);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  QByteArray bytes = file.readAll();
  int damaged = 0;
  for (qsizetype scan = bytes.indexOf("\xff\xda"); scan >= 0 && scan + 400 < bytes.size();
       scan = bytes.indexOf("\xff\xda", scan + 400), ++damaged)
    for (qsizetype i = scan + 20; i < scan + 400; i += 3) bytes[i] = static_cast<char>(i * 37 % 255);
  ASSERT_GT(damaged, 10);
  file.seek(0);
  file.write(bytes);
  file.close();
  FfmpegCamera camera(Options({"Dañado = " + clip}));
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, {}));
  ASSERT_TRUE(GetsFrames(camera));
  EXPECT_EQ(camera.Snap().size(), QSize(160, 120));
  EXPECT_TRUE(WaitFor([&] { return camera.Status() == CaptureStatus::Reconnecting; }));
}

// An address that accepts the connection and then says nothing: neither the start nor
// the stop waits for it, and the open gives up on its own.
TEST_F(CameraTest, SilentAddressNeverBlocksTheCaller) {
  const int listener = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ASSERT_EQ(::listen(listener, 8), 0);
  ASSERT_EQ(::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length), 0);
  const QString url = QStringLiteral("http://127.0.0.1:%1/video.mjpg").arg(ntohs(address.sin_port));

  FfmpegCameraOptions options = Options({"Muda = " + url});
  options.timing.timeouts.open = 60s;  // only the stop can end the wait
  options.timing.stopWait = 60s;       // and the stop must not need to give up on it
  FfmpegCamera patient(options);
  patient.LoadCamera();
  const auto began = std::chrono::steady_clock::now();
  ASSERT_TRUE(patient.StartCamera(0, {}));
  std::this_thread::sleep_for(300ms);
  EXPECT_TRUE(patient.Snap().isNull());
  EXPECT_EQ(patient.Status(), CaptureStatus::Connecting);
  patient.StopCamera();
  EXPECT_LT(std::chrono::steady_clock::now() - began, 10s);

  options.timing.timeouts.open = 300ms;
  FfmpegCamera impatient(options);
  impatient.LoadCamera();
  ASSERT_TRUE(impatient.StartCamera(0, {}));
  EXPECT_TRUE(WaitFor([&] { return impatient.Status() == CaptureStatus::Reconnecting; }));
  EXPECT_TRUE(impatient.Snap().isNull());
  impatient.StopCamera();
  ::close(listener);
}

TEST_F(CameraTest, PauseKeepsTheLastFrame) {
  FfmpegCamera camera(Options({test::FilterCamera("A", kPattern)}));
  EXPECT_FALSE(camera.PauseCamera());
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "A"));
  ASSERT_TRUE(GetsFrames(camera));
  ASSERT_TRUE(camera.PauseCamera());
  EXPECT_EQ(camera.State(), 1);
  const std::uint64_t held = camera.Newest().sequence;
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(camera.Newest().sequence, held);
  EXPECT_FALSE(camera.Snap().isNull());
  ASSERT_TRUE(camera.ResumeCamera());
  EXPECT_TRUE(WaitFor([&] { return camera.Newest().sequence > held; }));
}

struct BorderCase {
  int value;
  int error;
  int style;
};

class BorderStyleTest : public ::testing::TestWithParam<BorderCase> {};

TEST_P(BorderStyleTest, TakesZeroOrOneOnly) {
  QTemporaryDir dir;
  FfmpegCamera camera(CameraFixture(dir.path(), {}).options);
  ASSERT_EQ(camera.BorderStyle(), 1);
  EXPECT_EQ(camera.SetBorderStyle(GetParam().value), GetParam().error);
  EXPECT_EQ(camera.BorderStyle(), GetParam().style);
  EXPECT_EQ(camera.BorderShown(), GetParam().style == 1);
}

INSTANTIATE_TEST_SUITE_P(Values, BorderStyleTest,
                         ::testing::Values(BorderCase{0, 0, 0}, BorderCase{1, 0, 1},
                                           BorderCase{2, kErrorValorNoValido, 1},
                                           BorderCase{-1, kErrorValorNoValido, 1}));

TEST_F(CameraTest, BorderHiddenWhileStartedAndBackAfterStop) {
  FfmpegCamera camera(Options({test::FilterCamera("A", kPattern)}));
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "A"));
  EXPECT_FALSE(camera.BorderShown());
  camera.StopCamera();
  EXPECT_TRUE(camera.BorderShown());
  ASSERT_EQ(camera.SetBorderStyle(0), 0);
  camera.StopCamera();
  EXPECT_FALSE(camera.BorderShown());
}

class RecordingDialogs : public CameraDialogs {
 public:
  std::optional<StreamFormat> ChooseFormat(const QString& camera, const std::vector<FormatOption>& offered,
                                           const std::optional<StreamFormat>& current) override {
    calls << "format:" + camera;
    offeredCount = offered.size();
    shownFormat = current;
    return StreamFormat{QSize(64, 48), {5, 1}, "mjpeg"};
  }
  void EditSettings(const QString& camera, DeviceControls& controls) override {
    calls << "settings:" + camera;
    controlCount = controls.List().size();
    running = running || (source && source->Started());
  }
  QStringList calls;
  size_t offeredCount = 99, controlCount = 99;
  std::optional<StreamFormat> shownFormat;
  FfmpegCamera* source = nullptr;
  bool running = false;
};

TEST_F(CameraTest, ConfigCameraShowsBothDialogsAroundARestart) {
  const FfmpegCameraOptions options = Options({test::FilterCamera("A", kPattern)});
  RecordingDialogs dialogs;
  FfmpegCamera camera(options, &dialogs);
  dialogs.source = &camera;
  camera.ConfigCamera();
  EXPECT_TRUE(dialogs.calls.isEmpty());

  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, "A"));
  ASSERT_TRUE(GetsFrames(camera));
  camera.ConfigCamera();
  EXPECT_EQ(dialogs.calls, (QStringList{"format:A", "settings:A"}));
  EXPECT_TRUE(dialogs.running);
  EXPECT_EQ(dialogs.offeredCount, 0u);  // a test source has no formats to choose
  EXPECT_EQ(dialogs.controlCount, 0u);
  ASSERT_TRUE(dialogs.shownFormat.has_value());
  EXPECT_EQ(dialogs.shownFormat->size, QSize(320, 240));
  // The source delivers what it carries, and nothing is saved for it.
  EXPECT_TRUE(GetsFrames(camera));
  EXPECT_EQ(camera.Snap().size(), QSize(320, 240));
  EXPECT_FALSE(QFile::exists(options.formatFile));
}

}  // namespace
}  // namespace miravela
