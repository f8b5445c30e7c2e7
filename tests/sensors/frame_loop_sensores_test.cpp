// The sensors plugged into the real frame loop: the screen capturer feeds it from the
// desktop, night vision brightens what it watches, auto-adjust steps after each frame.
#include <gtest/gtest.h>

#include "detect/frame_loop.h"
#include "detect/imagen.h"
#include "detect/seguimiento_objeto.h"
#include "detect/zona_vigilancia.h"
#include "sensors/sensors_rig.h"
#include "support/synthetic_frame_source.h"

namespace miravela::test {
namespace {

class Pantalla : public PantallaCifras {
 public:
  bool VentanaNormal() const override { return true; }
  bool VentanaExpandida() const override { return false; }
  QString TituloBase() const override { return "Miravela"; }
  void FijarCaption(const QString& c) override { caption = c; }
  void FijarTxtSensor(const QString&) override {}
  QString caption;
};

struct BucleConSensores : ::testing::Test {
  BucleConSensores() {
    zona = std::make_unique<ZonaVigilancia>(EntornoZona{
        .boton = rig.botones[7],
        .etiqueta = rig.s->panel.LblSensor[7],
        .preview = rig.pictures.Picture1,
        .carpetaRecursos = rig.Recursos(),
        .mensajes = rig.fakes.messages,
        .autoajuste = rig.s->autoajuste,
        .camaraConectada = [this] { return rig.botones[0].Appearance != 0; },
        .seguimientoActivo = [this] { return rig.botones[15].Appearance != 0; },
    });
    seguimiento = std::make_unique<SeguimientoObjeto>(EntornoSeguimiento{
        .preview = rig.pictures.Picture1,
        .zona = *zona,
        .boton = rig.botones[15],
        .muestra = rig.s->panel.LblSensor[8],
        .etiquetasSensor = {&rig.s->panel.LblSensor[0], &rig.s->panel.LblSensor[1], &rig.s->panel.LblSensor[2],
                            &rig.s->panel.LblSensor[3]},
        .habilitarSensores =
            [this](bool on) { rig.s->panel.HsbSensor[0].Enabled = rig.s->panel.HsbSensor[1].Enabled = on; },
        .autoajuste = rig.s->autoajuste,
    });
    loop = std::make_unique<FrameLoop>(EntornoBucle{
        .pictures = rig.pictures,
        .parametros = rig.parametros,
        .zona = *zona,
        .seguimiento = *seguimiento,
        .camara = camara,
        .escaner = rig.s->escaner,
        .autoajuste = rig.s->autoajuste,
        .entradas = entradas,
        .pantalla = pantalla,
        .tmrReloj = rig.tmrReloj,
        .tmrSleep = rig.tmrSleep,
        .tmrGuardar = tmrGuardar,
        .clock = rig.clock,
        .numeroCamara = "1",
        .locale = QLocale::c(),
    });
    rig.fuenteSimilitud = [this] { return loop->Resultados().Similitud; };
  }
  SensorsRig rig;
  SyntheticFrameSource camara{QSize(320, 240)};
  EntradasSensores entradas{*rig.s, [] { return QStringLiteral("Sirena"); }};
  Pantalla pantalla;
  ModelTimer tmrGuardar{rig.clock, "TmrGuardar", 10};
  std::unique_ptr<ZonaVigilancia> zona;
  std::unique_ptr<SeguimientoObjeto> seguimiento;
  std::unique_ptr<FrameLoop> loop;
};

TEST_F(BucleConSensores, TheCapturerFeedsTheLoopFromTheDesktop) {
  rig.s->escaner.CmdScan_Click();
  rig.s->marco.Mover(300, 450);  // 20, 30 pixels
  loop->TmrReloj_Timer();
  const QImage& marco = rig.picture4.Image();
  EXPECT_EQ(marco.size(), QSize(644, 484));
  EXPECT_EQ(marco.pixel(0, 0), FakeGrabber::Pixel(23, 30 + kAltoBarra + 3));
  EXPECT_EQ(marco.pixel(643, 483), FakeGrabber::Pixel(23 + 643, 30 + kAltoBarra + 3 + 483));
  EXPECT_EQ(rig.grabber.pedidos.size(), 1u);
  // A still desktop: nothing changes between two frames.
  loop->TmrReloj_Timer();
  EXPECT_EQ(loop->Resultados().Similitud, 100);
}

TEST_F(BucleConSensores, AutoAdjustStepsAfterEachAnalysedFrame) {
  rig.s->escaner.CmdScan_Click();
  rig.s->panel.Mover(kMovimiento, 45);
  loop->TmrReloj_Timer();
  rig.s->autoajuste.CmdAutoAjuste_Click();
  // The desktop moves on every frame: a changing scene with a low similarity.
  std::int16_t anterior = loop->Resultados().Similitud;
  int cambios = 0;
  for (int desplazamiento : {60, 150, 210, 300, 360, 450}) {
    rig.grabber.desplazamiento = desplazamiento;
    loop->TmrReloj_Timer();
    const std::int16_t s = loop->Resultados().Similitud;
    ASSERT_LT(s, 90);
    if (s != anterior) ++cambios;
    anterior = s;
  }
  ASSERT_GE(cambios, 3);
  // One step down per frame whose similarity differed from the one before.
  EXPECT_EQ(rig.s->panel.Valor(kMovimiento), 45 - cambios);
}

TEST_F(BucleConSensores, NightVisionBrightensWhatTheLoopWatches) {
  rig.s->escaner.CmdScan_Click();  // button 0 is pressed by the capturer: night vision may start
  rig.s->panel.Mover(kNivelNoche, 50);
  rig.s->noche.CmdNoche_Click();
  ASSERT_TRUE(entradas.VisionNocturna());
  EXPECT_EQ(entradas.DivisorNoche(), 10);
  loop->TmrReloj_Timer();
  // The night-vision picture is the fitted desktop with every channel times 128 / 10.
  PictureBox ajustado(15, 15, rig.pictures.Picture5.WidthPixels(), rig.pictures.Picture5.HeightPixels());
  AjustarImagen(rig.picture4, ajustado);
  const auto tabla = TablaAclarado(10);
  for (const QPoint& p : {QPoint(5, 40), QPoint(100, 100), QPoint(300, 200)}) {
    const QRgb antes = ajustado.Image().pixel(p), despues = rig.pictures.Picture5.Image().pixel(p);
    EXPECT_EQ(qRed(despues), tabla[static_cast<std::size_t>(qRed(antes))]) << p.x();
    EXPECT_EQ(qGreen(despues), tabla[static_cast<std::size_t>(qGreen(antes))]) << p.x();
    EXPECT_EQ(qBlue(despues), tabla[static_cast<std::size_t>(qBlue(antes))]) << p.x();
  }
}

}  // namespace
}  // namespace miravela::test
