#include "detect/frame_loop.h"

#include <gtest/gtest.h>

#include "detect/comparacion.h"
#include "detect/detect_rig.h"
#include "detect/imagen.h"
#include "detect/luz.h"

namespace miravela {
namespace {

using test::DetectRig;

// Connects as the camera button does: the first tick compares against an empty
// reference and raises an alarm that the grace period holds back.
void Conectar(DetectRig& rig) {
  rig.tmrSleep.SetEnabled(true);
  rig.Tick();
  rig.tmrSleep.SetEnabled(false);
}

TEST(FrameLoop, StillSceneRaisesNoAlarm) {
  DetectRig rig;
  rig.camara.SetNoise(3);
  Conectar(rig);
  EXPECT_FALSE(rig.tmrGuardar.Enabled());
  for (int i = 0; i < 5; ++i) {
    rig.Tick();
    EXPECT_FALSE(rig.loop->Resultados().AlarmaActiva);
    EXPECT_EQ(rig.loop->Resultados().Similitud, 100);
    EXPECT_EQ(rig.loop->Resultados().PuntosComparados, 945);
  }
  EXPECT_FALSE(rig.tmrGuardar.Enabled());
  EXPECT_EQ(rig.pantalla.caption, "Miravela  [ MIN 95/100 ]");
}

TEST(FrameLoop, MovingObjectRaisesTheAlarm) {
  DetectRig rig;
  rig.camara.SetNoise(3);
  Conectar(rig);
  rig.camara.AddObject(QRect(100, 100, 120, 120), Rgb(250, 250, 250), QPoint(40, 0));
  rig.Tick();
  const ResultadosTick& r = rig.loop->Resultados();
  EXPECT_TRUE(r.AlarmaActiva);
  EXPECT_LE(r.Similitud, 95);
  EXPECT_GT(r.PuntosCambiados, 0);
  EXPECT_EQ(r.SonidoAlarma, "Sirena");
  EXPECT_TRUE(rig.tmrGuardar.Enabled());
  EXPECT_EQ(rig.pantalla.caption, QString("Miravela  [ MIN 95/%1 ]").arg(r.Similitud));
  // The marks are on the preview but not in the reference it leaves behind.
  int marks = 0, marksInReference = 0;
  const QImage& shown = rig.pictures.Picture1.Image();
  const QImage& reference = rig.pictures.Picture2.Image();
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) {
      marks += FromQRgb(shown.pixel(x, y)) == kColorMarca;
      marksInReference += FromQRgb(reference.pixel(x, y)) == kColorMarca;
    }
  EXPECT_GE(marks, r.PuntosCambiados);
  EXPECT_EQ(marksInReference, 0);
}

// A change of the whole light is evened out by default; with light rejection off it
// raises the alarm as the plain rule says.
TEST(FrameLoop, LightChangeAlarmsOnlyWithoutLightRejection) {
  for (int rechazo : {0, static_cast<int>(kRechazoLuzPredeterminado)}) {
    SCOPED_TRACE(rechazo);
    DetectRig rig;
    rig.parametros.RechazoLuz = static_cast<std::uint8_t>(rechazo);
    Conectar(rig);
    rig.camara.SetLight(1.6);
    rig.Tick();
    EXPECT_EQ(rig.loop->Resultados().AlarmaActiva, rechazo == 0);
    if (rechazo == 0)
      EXPECT_LT(rig.loop->Resultados().Similitud, 50);
    else
      EXPECT_GT(rig.loop->Resultados().Similitud, 95);
    rig.Tick();  // the new light is the new reference
    EXPECT_FALSE(rig.loop->Resultados().AlarmaActiva);
  }
}

// What normalisation cannot explain (a camera knocked aside) changes most of the
// picture: no alarm, and the frame becomes the next reference.
TEST(FrameLoop, MostOfThePictureChangedIsAGlobalChange) {
  struct Case {
    int rechazo;
    bool alarm;
  } cases[] = {{kRechazoLuzPredeterminado, false}, {100, true}, {0, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.rechazo);
    DetectRig rig;
    rig.parametros.RechazoLuz = static_cast<std::uint8_t>(c.rechazo);
    Conectar(rig);
    rig.camara.AddObject(QRect(0, 0, 520, 480), Rgb(20, 200, 40));
    rig.Tick();
    EXPECT_LT(rig.loop->Resultados().Similitud, 100 - kRechazoLuzPredeterminado);
    EXPECT_EQ(rig.loop->Resultados().AlarmaActiva, c.alarm);
    EXPECT_EQ(rig.tmrGuardar.Enabled(), c.alarm);
    rig.Tick();
    EXPECT_FALSE(rig.loop->Resultados().AlarmaActiva);
  }
}

TEST(FrameLoop, MovimientoAtItsTopAlarmsOnEveryTick) {
  DetectRig rig;
  rig.entradas.movimiento = 50;
  Conectar(rig);
  for (int i = 0; i < 3; ++i) {
    rig.tmrGuardar.SetEnabled(false);
    rig.Tick();
    EXPECT_EQ(rig.loop->Resultados().Similitud, 100);
    EXPECT_TRUE(rig.loop->Resultados().AlarmaActiva);
    EXPECT_TRUE(rig.tmrGuardar.Enabled());
  }
}

TEST(FrameLoop, EmptyZoneComparesNothing) {
  for (int movimiento : {45, 50}) {
    DetectRig rig;
    rig.entradas.movimiento = movimiento;
    rig.zona->ActivarZona();
    Conectar(rig);
    rig.camara.AddObject(QRect(0, 0, 640, 480), Rgb(255, 255, 255));
    rig.Tick();
    EXPECT_EQ(rig.loop->Resultados().PuntosComparados, 0);
    EXPECT_EQ(rig.loop->Resultados().Similitud, 100);
    EXPECT_EQ(rig.loop->Resultados().AlarmaActiva, movimiento == 50);
  }
}

TEST(FrameLoop, AlarmDuringTheGracePeriodIsShownButNotHandedOn) {
  DetectRig rig;
  Conectar(rig);
  rig.camara.AddObject(QRect(0, 0, 200, 480), Rgb(255, 255, 255));
  rig.tmrSleep.SetEnabled(true);
  rig.Tick();
  EXPECT_TRUE(rig.loop->Resultados().AlarmaActiva);
  EXPECT_EQ(rig.pantalla.caption, QString("Miravela  [ MIN 95/%1 ]").arg(rig.loop->Resultados().Similitud));
  EXPECT_FALSE(rig.tmrGuardar.Enabled());
}

// The zone cells 1 (top left) and 192 (bottom right) carry their own sounds.
struct ZonaConSonidos : ::testing::Test {
  void SetUp() override {
    rig.zona->ActivarZona();
    rig.entradas.alarma = "Perro";
    rig.zona->LblCelda_Click(1);
    rig.entradas.alarma = "Gato";
    rig.zona->LblCelda_Click(192);
    rig.entradas.alarma = "Sirena";
    // A box that fills a two-cell zone changes most of the points compared, which the
    // light rejection takes for a light change; these cases are about the cells' sounds.
    rig.parametros.RechazoLuz = 0;
    Conectar(rig);
  }
  DetectRig rig;
};

TEST_F(ZonaConSonidos, ChangesOutsideTheZoneAreNotSeen) {
  rig.camara.AddObject(QRect(200, 150, 240, 180), Rgb(255, 255, 255));  // the middle only
  rig.Tick();
  EXPECT_FALSE(rig.loop->Resultados().AlarmaActiva);
  EXPECT_EQ(rig.loop->Resultados().PuntosCambiados, 0);
  EXPECT_GT(rig.loop->Resultados().PuntosComparados, 0);
  EXPECT_EQ(rig.loop->Resultados().SonidoAlarma, "Sirena");
}

TEST_F(ZonaConSonidos, TheChangedCellPicksTheSound) {
  rig.camara.AddObject(QRect(0, 0, 60, 60), Rgb(255, 255, 255));
  rig.Tick();
  EXPECT_TRUE(rig.loop->Resultados().AlarmaActiva);
  EXPECT_EQ(rig.loop->Resultados().SonidoAlarma, "Perro");
  rig.camara.ClearObjects();
  rig.camara.AddObject(QRect(0, 0, 60, 60), Rgb(0, 0, 0));
  rig.camara.AddObject(QRect(590, 440, 50, 40), Rgb(255, 255, 255));
  rig.Tick();
  EXPECT_EQ(rig.loop->Resultados().SonidoAlarma, "Gato");  // the last change in scan order
}

// A camera whose frames are exactly the preview's size, so tracking grid points
// can be placed pixel by pixel.
class PreviewSizedSource : public FrameSource {
 public:
  std::optional<QImage> Snap() override { return image; }
  QImage image;
};

TEST(FrameLoop, TrackingAlarmAndItsReverse) {
  struct Case {
    int points;
    bool reverse;
    float share;
    bool alarm;
  } cases[] = {{2, false, 0.04f, false}, {2, true, 0.04f, true}, {3, false, 0.06f, true},
               {3, true, 0.06f, false},  {0, true, 0.0f, true},  {0, false, 0.0f, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.points << (c.reverse ? " reverse" : ""));
    DetectRig rig;
    PreviewSizedSource source;
    source.image = QImage(324, 244, QImage::Format_RGB32);
    source.image.fill(qRgb(20, 20, 20));
    for (int i = 0; i < c.points; ++i) source.image.setPixel(1 + 4 * (10 + i), 41, qRgb(255, 0, 255));
    rig.pictures.Picture4.SetSizePixels(324, 244);
    FrameLoop loop({rig.pictures, rig.parametros, *rig.zona, *rig.seguimiento, source, rig.escaner, rig.autoajuste,
                    rig.entradas, rig.pantalla, rig.tmrReloj, rig.tmrSleep, rig.tmrGuardar, rig.clock, "1",
                    QLocale::c()});
    if (c.reverse) rig.seguimiento->ImgReverse_Click();
    rig.seguimiento->ActivarSeguimiento();
    rig.seguimiento->FijarColorObjeto(Rgb(255, 0, 255));
    loop.TmrReloj_Timer();
    EXPECT_EQ(loop.Resultados().PorcentajeObjeto, c.share);
    EXPECT_EQ(loop.Resultados().AlarmaActiva, c.alarm);
    EXPECT_EQ(rig.tmrGuardar.Enabled(), c.alarm);
    EXPECT_EQ(loop.Resultados().Similitud, 100);  // no comparison while tracking
  }
}

TEST(FrameLoop, TrackingFindsTheObject) {
  for (bool reverse : {false, true}) {
    DetectRig rig;
    if (reverse) rig.seguimiento->ImgReverse_Click();
    rig.seguimiento->ActivarSeguimiento();
    rig.seguimiento->FijarColorObjeto(Rgb(255, 0, 255));
    rig.camara.AddObject(QRect(300, 200, 80, 80), Rgb(255, 0, 255));
    rig.autoajuste.activo = true;
    rig.Tick();
    const float share = rig.loop->Resultados().PorcentajeObjeto;
    EXPECT_GT(share, 1.0f);
    EXPECT_EQ(rig.loop->Resultados().AlarmaActiva, !reverse);
    EXPECT_EQ(rig.pantalla.caption, "Miravela  [ OBJETO " + QString::number(share) + "% ]");
    EXPECT_EQ(rig.autoajuste.pasos, 1);  // auto-adjust steps in tracking mode too
  }
}

TEST(FrameLoop, FiguresInTheirThreeForms) {
  struct Case {
    bool normal, expandida, seguimiento;
    const char* caption;
    const char* txt;
  } cases[] = {
      {false, false, false, "C3  [ MIN 95/92 ]", nullptr},
      {false, true, true, "C3  [ OBJ 0.06% ]", nullptr},
      {true, false, false, "Miravela  [ MIN 95/92 ]", nullptr},
      {true, false, true, "Miravela  [ OBJETO 0.06% ]", nullptr},
      {true, true, false, "Base", "[ MIN 95/92 ]  "},
      {true, true, true, "Base", "[ OBJETO 0.06% ]  "},
  };
  for (const Case& c : cases) {
    const TextosCifras t =
        FormatoCifras({c.normal, c.expandida, c.seguimiento, 95, 92, 0.06f, "3", "Base"}, QLocale::c());
    EXPECT_EQ(t.caption, c.caption);
    EXPECT_EQ(t.txtSensor.has_value(), c.txt != nullptr);
    if (c.txt) {
      EXPECT_EQ(*t.txtSensor, c.txt);
    }
  }
  EXPECT_EQ(FormatoCifras({false, false, true, 95, 100, 0.0f, "1", ""}, QLocale::c()).caption, "C1  [ OBJ 0% ]");
  EXPECT_EQ(FormatoCifras({false, false, true, 95, 100, 12.5f, "1", ""}, QLocale(QLocale::Spanish)).caption,
            "C1  [ OBJ 12,5% ]");
}

TEST(FrameLoop, ExpandedWindowUsesTheReadOut) {
  DetectRig rig;
  rig.pantalla.expandida = true;
  rig.Tick();
  EXPECT_EQ(rig.pantalla.caption, "Miravela 11.23");
  EXPECT_EQ(rig.pantalla.txtSensor, QString("[ MIN 95/%1 ]  ").arg(rig.loop->Resultados().Similitud));
}

// A source that takes its time, as a real camera does.
class SlowSource : public FrameSource {
 public:
  SlowSource(FakeClock& clock, int ms) : clock_(clock), ms_(ms) {}
  std::optional<QImage> Snap() override {
    clock_.SetNow(clock_.Now().addMSecs(ms_));
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(0);
    return image;
  }

 private:
  FakeClock& clock_;
  int ms_;
};

TEST(FrameLoop, VariableSettingsFollowTheTickCost) {
  EXPECT_EQ(IntervaloVariable(40, 300), 170);
  EXPECT_EQ(IntervaloVariable(0, 20), kIntervaloMinimo);
  EXPECT_EQ(IntervaloVariable(250, 100), 175);

  DetectRig rig;
  SlowSource slow(rig.clock, 40);
  FrameLoop loop({rig.pictures, rig.parametros, *rig.zona, *rig.seguimiento, slow, rig.escaner, rig.autoajuste,
                  rig.entradas, rig.pantalla, rig.tmrReloj, rig.tmrSleep, rig.tmrGuardar, rig.clock, "1",
                  QLocale::c()});
  rig.tmrReloj.SetInterval(300);
  rig.entradas.frecuencia = 500;
  loop.TmrReloj_Timer();
  EXPECT_EQ(rig.tmrReloj.Interval(), 300);  // a fixed frequency is left alone
  rig.entradas.frecuencia = 0;
  loop.TmrReloj_Timer();
  EXPECT_NEAR(rig.tmrReloj.Interval(), 170, 4);  // the clock text keeps about 4 ms at noon
  for (int i = 0; i < 12; ++i) loop.TmrReloj_Timer();
  EXPECT_NEAR(rig.tmrReloj.Interval(), 40, 5);

  // A tick that runs over midnight still measures its own length.
  rig.clock.SetNow(QDateTime(QDate(2026, 12, 10), QTime(23, 59, 59, 980)));
  rig.tmrReloj.SetInterval(100);
  loop.TmrReloj_Timer();
  EXPECT_NEAR(rig.tmrReloj.Interval(), 70, 2);
}

TEST(FrameLoop, VariableSettingsKeepTheTimerRunning) {
  DetectRig rig;
  rig.entradas.frecuencia = -500;
  rig.tmrReloj.SetInterval(100);
  rig.tmrReloj.SetEnabled(true);
  rig.clock.Advance(5000);  // ticks take no program time here
  EXPECT_EQ(rig.tmrReloj.Interval(), kIntervaloMinimo);
  EXPECT_GT(rig.camara.Frames(), 100);
}

TEST(FrameLoop, ZoomEnlargesFromTheTopLeftCorner) {
  DetectRig rig;
  QImage halves(640, 480, QImage::Format_RGB32);
  halves.fill(qRgb(255, 0, 0));
  for (int y = 0; y < 480; ++y)
    for (int x = 320; x < 640; ++x) halves.setPixel(x, y, qRgb(0, 0, 255));
  class Fixed : public FrameSource {
   public:
    explicit Fixed(QImage i) : image(std::move(i)) {}
    std::optional<QImage> Snap() override { return image; }
    QImage image;
  } fixed(halves);
  FrameLoop loop({rig.pictures, rig.parametros, *rig.zona, *rig.seguimiento, fixed, rig.escaner, rig.autoajuste,
                  rig.entradas, rig.pantalla, rig.tmrReloj, rig.tmrSleep, rig.tmrGuardar, rig.clock, "1",
                  QLocale::c()});
  const PictureBox& marco = rig.pictures.Picture4;
  loop.TmrReloj_Timer();
  EXPECT_EQ(marco.Point(0, 0), 0x0000FF);
  EXPECT_EQ(marco.Point(marco.Width() - 1, marco.Height() - 1), 0xFF0000);
  ASSERT_TRUE(ZoomExtraDeNivel(5, rig.parametros.ZoomExtra));
  EXPECT_EQ(rig.parametros.ZoomExtra, 20000);
  loop.TmrReloj_Timer();
  // 644 + 20000 / 15 pixels wide: the right edge now shows source column 208, still red.
  EXPECT_EQ(marco.Point(marco.Width() - 1, marco.Height() - 1), 0x0000FF);
  EXPECT_EQ(rig.pictures.Picture1.Point(4800, 100), 0x0000FF);
}

TEST(FrameLoop, ScreenCapturerFillsTheFrameBufferUnscaled) {
  DetectRig rig(QSize(644, 484));
  rig.pictures.Picture4.SetSizePixels(644, 484);  // sized by the capturer's resolution
  rig.entradas.escaner = true;
  rig.parametros.ZoomExtra = 20000;  // no zoom for the screen
  rig.Tick();
  EXPECT_EQ(rig.camara.Frames(), 0);
  EXPECT_EQ(rig.escaner.Frames(), 1);
  EXPECT_EQ(rig.pictures.Picture4.Picture(), rig.escaner.Scene());
  EXPECT_EQ(rig.pictures.Picture4.Image(), rig.escaner.Scene());
}

TEST(FrameLoop, AMissingFrameSkipsOnlyTheCapture) {
  DetectRig rig;
  Conectar(rig);
  const QImage before = rig.pictures.Picture4.Image();
  rig.camara.SetAvailable(false);
  rig.pantalla.caption.clear();
  rig.Tick();
  EXPECT_EQ(rig.pictures.Picture4.Image(), before);
  EXPECT_EQ(rig.loop->Resultados().Similitud, 100);
  EXPECT_EQ(rig.pantalla.caption, "Miravela  [ MIN 95/100 ]");
}

TEST(FrameLoop, NightVisionBrightensThePreview) {
  DetectRig rig;
  rig.camara.SetLight(0.2);
  rig.Tick();
  const QImage dark = rig.pictures.Picture1.Picture();
  rig.entradas.noche = true;
  rig.entradas.divisor = 30;
  rig.Tick();
  const auto tabla = TablaAclarado(30);
  const QImage bright = rig.pictures.Picture1.Picture();
  for (QPoint p : {QPoint(0, 0), QPoint(100, 100), QPoint(321, 241)})
    EXPECT_EQ(bright.pixel(p),
              qRgb(tabla[qRed(dark.pixel(p))], tabla[qGreen(dark.pixel(p))], tabla[qBlue(dark.pixel(p))]));
  EXPECT_EQ(bright.pixel(323, 243), dark.pixel(323, 243));  // beyond the 322 x 242 pass

  rig.zona->ActivarZona();
  rig.zona->LblCelda_Click(1);  // bands: pixels 6..24 across, 4..22 down
  rig.Tick();
  const QImage zoned = rig.pictures.Picture1.Picture();
  EXPECT_EQ(zoned.pixel(10, 10), bright.pixel(10, 10));
  EXPECT_EQ(zoned.pixel(100, 100), dark.pixel(100, 100));
}

TEST(FrameLoop, BrighteningTable) {
  const auto t30 = TablaAclarado(30);
  EXPECT_EQ(t30[0], 0);
  EXPECT_EQ(t30[15], 64);  // 64.0
  EXPECT_EQ(t30[30], 128);
  EXPECT_EQ(t30[60], 255);  // 256 clipped
  const auto t10 = TablaAclarado(10);
  EXPECT_EQ(t10[5], 64);
  EXPECT_EQ(t10[20], 255);
  const auto t50 = TablaAclarado(50);
  EXPECT_EQ(t50[25], 64);  // 64.0
  EXPECT_EQ(t50[3], 8);    // 7.68
}

}  // namespace
}  // namespace miravela
