// The whole road of an alarm with real parts: the demo camera over FFmpeg, the frame
// loop on real timers, the photograph written by our encoder and read back by libjpeg.
#include <gtest/gtest.h>
#include <jpeglib.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "app/form1.h"
#include "base/qt_clock.h"
#include "capture/ffmpeg_camera.h"
#include "support/fakes.h"

namespace miravela {
namespace {

// Width and height of a JPEG file as libjpeg reads it, or 0 x 0.
QSize DecodedSize(const QString& path) {
  FILE* file = std::fopen(path.toLocal8Bit().constData(), "rb");
  if (!file) return {};
  jpeg_decompress_struct info{};
  jpeg_error_mgr err{};
  info.err = jpeg_std_error(&err);
  jpeg_create_decompress(&info);
  jpeg_stdio_src(&info, file);
  QSize size;
  if (jpeg_read_header(&info, TRUE) == JPEG_HEADER_OK)
    size = QSize(static_cast<int>(info.image_width), static_cast<int>(info.image_height));
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return size;
}

TEST(WholeRoad, DemoCameraConnectedWithButtonZeroRaisesAlarmsThatBecomePhotographs) {
  QTemporaryDir dir;
  ProgramFolder programa{"1", dir.path()};
  test::FakeServices fakes;
  fakes.desktop.path = dir.path();
  QtClock clock;
  test::FakeScreen grabber;
  FfmpegCamera camera(CameraOptionsFor(programa, /*demo=*/true));
  Form1 form(
      {.clock = clock, .services = fakes.services(), .programa = programa, .camara = camera, .pantalla = grabber});
  form.Form_Load();
  ASSERT_EQ(form.EstadoInicio, kEstadoEnMarcha);
  ASSERT_EQ(form.conexion().CboDriver.Text(), QString::fromUtf8("Cámara de demostración"));

  form.Botones.PctBoton_Click(0);
  EXPECT_TRUE(form.TmrReloj.Enabled());
  EXPECT_TRUE(form.Botones.Pulsado(0));
  EXPECT_FALSE(form.pictures.Picture3.Visible);

  // The demo room stays still for its first ten seconds; then a figure walks in.
  const QString today = form.config.CarpetaImagenes + "/" + QDate::currentDate().toString("yyyy-MM-dd");
  QElapsedTimer elapsed;
  elapsed.start();
  qint64 firstPhoto = -1;
  while (elapsed.elapsed() < 30000 && firstPhoto < 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!QDir(today).entryList(QDir::Files).isEmpty()) firstPhoto = elapsed.elapsed();
  }
  ASSERT_GE(firstPhoto, 0) << "no photograph within 30 s";
  EXPECT_GT(firstPhoto, 8000) << "an alarm in the still part of the scene";
  EXPECT_FALSE(form.pictures.Picture1.Picture().isNull()) << "frames reach the preview";

  const QStringList photos = QDir(today).entryList(QDir::Files, QDir::Name);
  const QString first = today + "/" + photos.front();
  EXPECT_TRUE(photos.front().endsWith(") 1.jpg")) << photos.front().toStdString();
  EXPECT_EQ(DecodedSize(first), camera.NativeSize() + QSize(4, 4));

  form.Botones.PctBoton_Click(0);
  EXPECT_FALSE(form.TmrReloj.Enabled());
  EXPECT_TRUE(form.pictures.Picture3.Visible);
  EXPECT_FALSE(camera.Started());
}

TEST(WholeRoad, SavedCameraChoiceSurvivesARestart) {
  QTemporaryDir dir;
  ProgramFolder programa{"1", dir.path()};
  QDir().mkpath(dir.path() + "/Recursos");
  test::WriteAll(dir.path() + "/Recursos/Miravela.CAM",
                 "Puerta = lavfi:testsrc=size=64x48\nPuerta = lavfi:testsrc2\nPatio = lavfi:testsrc2\n");
  test::FakeServices fakes;
  fakes.desktop.path = dir.path();
  QtClock clock;
  test::FakeScreen grabber;
  auto start = [&](int choose) {
    FfmpegCamera camera(CameraOptionsFor(programa, false));
    Form1 form(
        {.clock = clock, .services = fakes.services(), .programa = programa, .camara = camera, .pantalla = grabber});
    form.Form_Load();
    const int selected = form.conexion().CboDriver.ListIndex;
    if (choose >= 0) {
      form.conexion().CboDriver.ListIndex = choose;
      form.Botones.PctBoton_Click(0);
      form.Botones.PctBoton_Click(0);
    }
    form.Form_Unload();
    return selected;
  };
  EXPECT_EQ(start(2), 0) << "no saved choice: the first camera";
  EXPECT_EQ(start(1), 2);
  EXPECT_EQ(start(-1), 0) << "two cameras with one name: the first of them";
}

}  // namespace
}  // namespace miravela
