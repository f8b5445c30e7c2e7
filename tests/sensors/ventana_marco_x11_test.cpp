// The capture frame as a real window in a real X server: the screen capturer copies
// exactly the pixels inside the frame, and a click inside the frame reaches the
// window underneath. The test starts a private Xvfb and runs its scenario in a child
// process of this test binary on the xcb platform.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QRasterWindow>
#include <QStandardPaths>
#include <QThread>

#include "sensors/sensors_rig.h"
#include "view/sensors/ventana_marco_qt.h"

namespace miravela::test {
namespace {

constexpr QSize kPantalla(1024, 768);

// Runs the event loop until `listo` holds or `ms` pass.
template <typename F>
bool Esperar(F listo, int ms = 5000) {
  QElapsedTimer t;
  t.start();
  while (!listo() && t.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(10);
  }
  return listo();
}

// A full-screen window under the frame showing a picture whose every pixel tells its
// own position, and recording where it is clicked.
class Fondo : public QRasterWindow {
 public:
  Fondo() {
    setFlags(Qt::FramelessWindowHint);
    setGeometry(QRect(QPoint(0, 0), kPantalla));
    imagen_ = QImage(kPantalla, QImage::Format_RGB32);
    for (int y = 0; y < kPantalla.height(); ++y)
      for (int x = 0; x < kPantalla.width(); ++x) imagen_.setPixel(x, y, FakeGrabber::Pixel(x, y));
  }
  std::vector<QPoint> clics;
  int pintadas = 0;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter(this).drawImage(0, 0, imagen_);
    ++pintadas;
  }
  void mousePressEvent(QMouseEvent* e) override { clics.push_back(e->globalPosition().toPoint()); }

 private:
  QImage imagen_;
};

bool Clic(const QPoint& p) {
  return QProcess::execute("xdotool",
                           {"mousemove", "--sync", QString::number(p.x()), QString::number(p.y()), "click", "1"}) == 0;
}

TEST(VentanaMarcoX11Escenario, CopiesTheFrameInteriorAndLetsClicksThrough) {
  if (qEnvironmentVariableIsEmpty("MIRAVELA_X11_HIJO")) GTEST_SKIP() << "run by VentanaMarcoX11 in its own X server";
  ASSERT_EQ(QGuiApplication::platformName(), "xcb");

  Fondo fondo;
  fondo.show();
  ASSERT_TRUE(Esperar([&] { return fondo.isExposed() && fondo.pintadas > 0; }));

  QtScreenGrabber grabber;
  ASSERT_TRUE(grabber.PuedeLeerPantalla());
  SensorsRig rig({}, &grabber);
  rig.fakes.window.screen = kPantalla * 15;
  VentanaMarcoQt ventana(rig.s->marco);
  rig.s->marco.Mover(100 * 15, 120 * 15);
  rig.s->escaner.CmdScan_Click();
  ASSERT_TRUE(rig.s->escaner.Activo());
  ASSERT_TRUE(Esperar([&] { return ventana.isExposed(); }));
  Esperar([] { return false; }, 300);  // let the server map and paint both windows
  EXPECT_EQ(ventana.geometry(), QRect(100, 120, 650, 484 + kAltoBarra + 6));

  // The frame loop puts the copy into the frame buffer unscaled.
  const auto captura = rig.s->escaner.Snap();
  ASSERT_TRUE(captura);
  rig.picture4.SetPicture(*captura);
  const QRect interior = rig.s->marco.Interior().translated(100, 120);
  const QImage& marco = rig.picture4.Image();
  ASSERT_EQ(marco.size(), interior.size());
  int distintos = 0;
  for (int y = 0; y < marco.height(); ++y)
    for (int x = 0; x < marco.width(); ++x)
      if ((marco.pixel(x, y) & 0xFFFFFF) != (FakeGrabber::Pixel(interior.x() + x, interior.y() + y) & 0xFFFFFF))
        ++distintos;
  EXPECT_EQ(distintos, 0) << "of " << marco.width() * marco.height() << " pixels";
  // Just outside the interior the outline is drawn: the copy would differ there.
  const QImage borde = grabber.Grab(QRect(interior.topLeft() - QPoint(1, 1), QSize(1, 1)))->copy();
  EXPECT_NE(borde.pixel(0, 0) & 0xFFFFFF, FakeGrabber::Pixel(interior.x() - 1, interior.y() - 1) & 0xFFFFFF);

  // A click inside the frame lands on the window underneath.
  const QPoint dentro = interior.topLeft() + QPoint(50, 60);
  ASSERT_TRUE(Clic(dentro));
  ASSERT_TRUE(Esperar([&] { return !fondo.clics.empty(); }));
  EXPECT_EQ(fondo.clics.front(), dentro);

  // A click on the "+" button is the frame's own.
  const Control& mas = rig.s->marco.CmdZoom[0];
  const std::size_t antes = fondo.clics.size();
  ASSERT_TRUE(Clic(QPoint(100 + mas.Left + mas.Width / 2, 120 + mas.Top + mas.Height / 2)));
  EXPECT_TRUE(Esperar([&] { return rig.s->marco.CmdZoom[0].Caption == "+2"; }));
  EXPECT_EQ(fondo.clics.size(), antes);

  rig.s->escaner.CmdScan_Click();
  EXPECT_TRUE(Esperar([&] { return !ventana.isVisible(); }));
}

// A private X server for the scenario, or nothing when none can be started.
class ServidorX {
 public:
  ~ServidorX() {
    if (proceso_.state() != QProcess::NotRunning) {
      proceso_.terminate();
      proceso_.waitForFinished(3000);
    }
  }
  std::optional<QString> Iniciar() {
    const QString xvfb = QStandardPaths::findExecutable("Xvfb");
    if (xvfb.isEmpty()) return std::nullopt;
    for (int n = 141; n < 190; ++n) {
      if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(n)) ||
          QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n)))
        continue;
      const QString pantalla = QStringLiteral("%1x%2x24").arg(kPantalla.width()).arg(kPantalla.height());
      proceso_.start(xvfb, {QStringLiteral(":%1").arg(n), "-screen", "0", pantalla, "-nolisten", "tcp"});
      if (!proceso_.waitForStarted(3000)) return std::nullopt;
      QElapsedTimer t;
      t.start();
      while (t.elapsed() < 5000 && proceso_.state() == QProcess::Running) {
        if (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(n))) return QStringLiteral(":%1").arg(n);
        QThread::msleep(50);
      }
      proceso_.kill();
      proceso_.waitForFinished(1000);
    }
    return std::nullopt;
  }

 private:
  QProcess proceso_;
};

TEST(VentanaMarcoX11, RealFrameWindowUnderXvfb) {
  if (!qEnvironmentVariableIsEmpty("MIRAVELA_X11_HIJO")) GTEST_SKIP() << "the scenario itself runs here";
  ServidorX servidor;
  const auto display = servidor.Iniciar();
  if (!display) GTEST_SKIP() << "no X server could be started";

  QProcess hijo;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("DISPLAY", *display);
  env.insert("MIRAVELA_X11_HIJO", "1");
  env.insert("QT_QPA_PLATFORM", "xcb");
  env.remove("WAYLAND_DISPLAY");
  hijo.setProcessEnvironment(env);
  hijo.setProcessChannelMode(QProcess::MergedChannels);
  hijo.start(QCoreApplication::applicationFilePath(),
             {"-platform", "xcb", "--gtest_filter=VentanaMarcoX11Escenario.*"});
  ASSERT_TRUE(hijo.waitForFinished(90000));
  const QString salida = QString::fromLocal8Bit(hijo.readAll());
  EXPECT_EQ(hijo.exitCode(), 0) << salida.toStdString();
  EXPECT_TRUE(salida.contains("[  PASSED  ] 1 test")) << salida.toStdString();
}

}  // namespace
}  // namespace miravela::test
