#include "capture/camera_list.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "capture_support.h"

namespace miravela {
namespace {

struct CamCase {
  const char* label;
  QByteArray text;
  std::vector<CameraSource> expected;
};

class CamerasFileTest : public ::testing::TestWithParam<CamCase> {};

TEST_P(CamerasFileTest, ParsesLines) { EXPECT_EQ(ParseCamerasFile(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Lines, CamerasFileTest,
    ::testing::Values(CamCase{"empty", "", {}},
                      CamCase{"one_url",
                              "Entrada = rtsp://10.0.0.5:554/stream1\n",
                              {{"Entrada", SourceKind::Url, "rtsp://10.0.0.5:554/stream1"}}},
                      CamCase{"comments_blanks_and_crlf",
                              "# cámaras de la casa\r\n\r\n   \r\nPatio=http://cam/video.mjpg\r\n  # otra\r\n",
                              {{"Patio", SourceKind::Url, "http://cam/video.mjpg"}}},
                      CamCase{"malformed_lines_skipped",
                              "sin signo igual\n= sin nombre\nsin url =   \nBuena = /srv/v.mkv\n",
                              {{"Buena", SourceKind::Url, "/srv/v.mkv"}}},
                      CamCase{"equals_inside_url_kept",
                              "Garaje = http://cam/v.cgi?user=a&res=2\n",
                              {{"Garaje", SourceKind::Url, "http://cam/v.cgi?user=a&res=2"}}},
                      CamCase{"utf8_name_and_bom",
                              "\xEF\xBB\xBF"
                              "Cámara Año = /dev/video4\n",
                              {{QString::fromUtf8("Cámara Año"), SourceKind::Device, "/dev/video4"}}},
                      CamCase{"filter_prefix_without_graph_skipped",
                              "Vacía = lavfi:\nBlancos = lavfi:   \t\nPrueba = lavfi:testsrc\n",
                              {{"Prueba", SourceKind::Filter, "testsrc"}}},
                      CamCase{"filter_graph",
                              "Prueba = lavfi:testsrc=size=320x240:rate=5\n",
                              {{"Prueba", SourceKind::Filter, "testsrc=size=320x240:rate=5"}}}),
    [](const auto& tc) { return std::string(tc.param.label); });

TEST(VideoNodes, OrderedByNumberAndOnlyVideoNodes) {
  QTemporaryDir dir;
  for (const char* name : {"video10", "video2", "video0", "videox", "media0", "video1a"}) {
    QFile file(dir.filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  }
  const QStringList expected{dir.filePath("video0"), dir.filePath("video2"), dir.filePath("video10")};
  EXPECT_EQ(VideoNodes(dir.path()), expected);
}

TEST(VideoNodes, NodesThatAreNotCaptureDevicesAreLeftOut) {
  QTemporaryDir dir;
  QFile file(dir.filePath("video0"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  EXPECT_TRUE(ListCaptureDevices(dir.path()).empty());
}

TEST(CameraList, DevicesThenCamerasFileThenDemoLast) {
  QTemporaryDir dir;
  test::CameraFixture fixture(dir.path(), {"# red", "Entrada = rtsp://10.0.0.5/s", "roto", "Patio = /tmp/p.mkv"}, true);
  const std::vector<CameraSource> sources = LoadCameraSources(fixture.options.list);
  EXPECT_EQ(CameraNames(sources), (QStringList{"Entrada", "Patio", QString::fromUtf8("Cámara de demostración")}));
  EXPECT_EQ(sources.back(), DemoCamera());
}

TEST(CameraList, NothingAtAllGivesAnEmptyList) {
  QTemporaryDir dir;
  test::CameraFixture fixture(dir.path(), {});
  QFile::remove(fixture.options.list.camerasFile);
  EXPECT_TRUE(LoadCameraSources(fixture.options.list).empty());
  FfmpegCamera camera(fixture.options);
  EXPECT_TRUE(camera.LoadCamera().isEmpty());
  EXPECT_FALSE(camera.StartCamera(0, {}));
}

TEST(CameraSource, PacingForFilesAndGraphsOnly) {
  EXPECT_TRUE(SourceNeedsPacing(SourceFromUrl("a", "/srv/v.mkv")));
  EXPECT_TRUE(SourceNeedsPacing(SourceFromUrl("a", "file:///srv/v.mkv")));
  EXPECT_TRUE(SourceNeedsPacing(SourceFromUrl("a", "lavfi:testsrc")));
  EXPECT_FALSE(SourceNeedsPacing(SourceFromUrl("a", "rtsp://cam/s")));
  EXPECT_FALSE(SourceNeedsPacing(SourceFromUrl("a", "/dev/video0")));
}

}  // namespace
}  // namespace miravela

namespace miravela {
namespace {

TEST(CameraOptions, FilesLiveInRecursos) {
  ProgramFolder programa;
  programa.Carpeta = "/srv/Miravela";
  const FfmpegCameraOptions options = CameraOptionsFor(programa, true);
  EXPECT_EQ(options.list.camerasFile, "/srv/Miravela/Recursos/Miravela.CAM");
  EXPECT_EQ(options.formatFile, "/srv/Miravela/Recursos/Miravela.CFG");
  EXPECT_EQ(options.list.deviceFolder, "/dev");
  EXPECT_TRUE(options.list.demo);
}

}  // namespace
}  // namespace miravela
