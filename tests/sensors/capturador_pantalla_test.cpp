#include <gtest/gtest.h>

#include <limits>

#include "base/registro_ajustes.h"
#include "sensors/sensors_rig.h"

namespace miravela::test {
namespace {

QString Pes(const SensorsRig& rig) { return rig.Recursos() + "/Miravela.PES"; }

TEST(CapturadorPantalla, StartingWithTheCameraConnectedMovesTheLoopToTheDesktop) {
  SensorsRig rig;
  rig.PulsarBoton(0);
  rig.clicks.clear();
  rig.s->escaner.CmdScan_Click();
  EXPECT_TRUE(rig.s->escaner.Activo());
  EXPECT_EQ(rig.s->escaner.CmdScan.Tag, "1");
  EXPECT_EQ(rig.s->escaner.CmdScan.BackColor, Rgb(255, 128, 128));
  EXPECT_EQ(rig.clicks, (std::vector<int>{0, 0}));  // disconnect, then connect on the desktop
  EXPECT_TRUE(rig.tmrReloj.Enabled());
  EXPECT_FALSE(rig.botones[0].Enabled);
  EXPECT_TRUE(rig.s->panel.HsbSensor[kResolucion].Visible);
  EXPECT_TRUE(rig.s->panel.LblSensor[9].Visible);
  EXPECT_TRUE(rig.s->marco.Visible);
  EXPECT_EQ(rig.picture4.WidthPixels(), 644);
  EXPECT_EQ(rig.picture4.HeightPixels(), 484);
  EXPECT_EQ(rig.escondidos, 1);

  rig.clicks.clear();
  rig.s->escaner.CmdScan_Click();
  EXPECT_FALSE(rig.s->escaner.Activo());
  EXPECT_EQ(rig.s->escaner.CmdScan.BackColor, Rgb(255, 255, 128));
  EXPECT_EQ(rig.clicks, std::vector<int>{0});
  EXPECT_FALSE(rig.tmrReloj.Enabled());  // the camera stays disconnected
  EXPECT_TRUE(rig.botones[0].Enabled);
  EXPECT_FALSE(rig.s->marco.Visible);
  EXPECT_FALSE(rig.s->marco.TmrZoom.Enabled());
  EXPECT_FALSE(rig.s->panel.HsbSensor[kResolucion].Visible);
  EXPECT_EQ(ReadAll(Pes(rig)).size(), 2 * 46);
  EXPECT_EQ(rig.escondidos, 2);
}

TEST(CapturadorPantalla, CopiesTheRectangleJustInsideTheFrame) {
  SensorsRig rig;
  rig.s->escaner.CmdScan_Click();
  rig.s->marco.Mover(1500, 3000);  // 100, 200 pixels
  const auto captura = rig.s->escaner.Snap();
  ASSERT_TRUE(captura);
  ASSERT_EQ(rig.grabber.pedidos.size(), 1u);
  const QRect pedido = rig.grabber.pedidos[0];
  EXPECT_EQ(pedido, QRect(103, 223, 644 + 6, 484 + kAltoBarra + 6));
  // The frame buffer keeps the top-left of the copy: exactly the pixels inside the frame.
  rig.picture4.SetPicture(*captura);
  const QRect interior = rig.s->marco.Interior().translated(100, 200);
  EXPECT_EQ(interior, QRect(103, 223, 644, 484));
  const QImage& marco = rig.picture4.Image();
  ASSERT_EQ(marco.size(), interior.size());
  for (const QPoint& p : {QPoint(0, 0), QPoint(643, 0), QPoint(0, 483), QPoint(643, 483), QPoint(300, 200)})
    EXPECT_EQ(marco.pixel(p), FakeGrabber::Pixel(interior.x() + p.x(), interior.y() + p.y())) << p.x() << "," << p.y();
}

struct CasoPes {
  int ancho, left, top, w4, h4;
  int resolucion;
  QPoint posicion;
  QSize picture4;  // pixels
};

TEST(CapturadorPantalla, RestoresPlaceAndZoomFromPes) {
  const CasoPes casos[] = {
      {1284, 1500, 3000, 15000, 9000, 3, {1500, 3000}, {1000, 600}},
      {644, 1920 * 15 + 1, 0, 0, 0, 2, {0, 0}, {644, 484}},            // left beyond the screen
      {324, -15, 300, 3000, 0, 1, {0, 0}, {324, 244}},                 // negative left; a zero size
      {999, 0, 1080 * 15, 4500, 3000, 2, {0, 1080 * 15}, {300, 200}},  // unknown width: resolution stays
  };
  for (const auto& c : casos) {
    SensorsRig rig;
    RegistroAjustes r1, r2;
    r1.Campo4 = r2.Campo4 = c.ancho;
    r1.Campo5 = c.left;
    r1.Campo6 = c.top;
    r2.Campo5 = c.w4;
    r2.Campo6 = c.h4;
    ASSERT_TRUE(EscribirRegistros(Pes(rig), {r1, r2}));
    rig.s->escaner.CmdScan_Click();
    EXPECT_EQ(rig.s->panel.Valor(kResolucion), c.resolucion) << c.ancho;
    EXPECT_EQ(QPoint(rig.s->marco.Left, rig.s->marco.Top), c.posicion) << c.left;
    EXPECT_EQ(QSize(rig.picture4.WidthPixels(), rig.picture4.HeightPixels()), c.picture4) << c.w4;
  }
}

TEST(CapturadorPantalla, AStoredZoomNoBufferCanHoldIsIgnoredAndEveryZoomReadsBackAsWritten) {
  constexpr int kMax = std::numeric_limits<int>::max();
  const struct {
    int w4, h4;  // twips
    QSize picture4;
  } casos[] = {
      {100, 80, {7, 5}},                       // not whole pixels
      {1, 1, {644, 484}},                      // rounds to no pixel
      {7, 3000, {644, 484}},                   // no pixel on one side only
      {4 * 1924 * 15 + 15, 3000, {644, 484}},  // beyond four times the largest capture
      {3000, 4 * 1084 * 15 + 15, {644, 484}},
      {kMax, kMax, {644, 484}},
  };
  for (const auto& c : casos) {
    SensorsRig rig;
    RegistroAjustes r1, r2;
    r1.Campo4 = r2.Campo4 = 644;
    r2.Campo5 = c.w4;
    r2.Campo6 = c.h4;
    ASSERT_TRUE(EscribirRegistros(Pes(rig), {r1, r2}));
    rig.s->escaner.CmdScan_Click();
    EXPECT_EQ(QSize(rig.picture4.WidthPixels(), rig.picture4.HeightPixels()), c.picture4) << c.w4 << "x" << c.h4;
    rig.s->escaner.CmdScan_Click();
    const QByteArray escrito = ReadAll(Pes(rig));

    SensorsRig otra(rig.Recursos());
    otra.s->escaner.CmdScan_Click();
    EXPECT_EQ(QSize(otra.picture4.WidthPixels(), otra.picture4.HeightPixels()), c.picture4) << c.w4 << "x" << c.h4;
    otra.s->escaner.CmdScan_Click();
    EXPECT_EQ(ReadAll(Pes(otra)), escrito) << c.w4 << "x" << c.h4;
  }
}

TEST(CapturadorPantalla, StoppingWritesPlaceAndZoomThatTheNextStartRestores) {
  SensorsRig rig;
  rig.s->escaner.CmdScan_Click();
  rig.s->marco.Movida(4500, 6000);  // the user dragged the frame
  rig.s->marco.CmdZoom_Click(0);
  const QSize zoom(rig.picture4.WidthPixels(), rig.picture4.HeightPixels());
  rig.s->escaner.CmdScan_Click();
  const auto r = LeerRegistros(Pes(rig), 2);
  ASSERT_TRUE(r);
  EXPECT_EQ((*r)[0].Campo4, 644);
  EXPECT_EQ((*r)[0].Campo5, 4500);
  EXPECT_EQ((*r)[0].Campo6, 6000);
  EXPECT_EQ((*r)[1].Campo4, 644);
  EXPECT_EQ((*r)[1].Campo5, zoom.width() * 15);
  EXPECT_EQ((*r)[1].Campo6, zoom.height() * 15);

  SensorsRig otra(rig.Recursos());
  otra.s->escaner.CmdScan_Click();
  EXPECT_EQ(otra.s->marco.Left, 4500);
  EXPECT_EQ(QSize(otra.picture4.WidthPixels(), otra.picture4.HeightPixels()), zoom);
}

TEST(CapturadorPantalla, ADesktopThatCannotBeReadSaysSoAndStartsNothing) {
  SensorsRig rig;
  rig.grabber.legible = false;
  rig.s->escaner.CmdScan_Click();
  ASSERT_EQ(rig.fakes.messages.shown.size(), 1u);
  EXPECT_EQ(rig.fakes.messages.shown[0].title, "Miravela - Capturador de Pantalla");
  EXPECT_TRUE(rig.fakes.messages.shown[0].text.contains("Wayland"));
  EXPECT_FALSE(rig.s->escaner.Activo());
  EXPECT_TRUE(rig.clicks.empty());
  EXPECT_FALSE(rig.s->marco.Visible);
  EXPECT_TRUE(rig.botones[0].Enabled);
}

TEST(CapturadorPantalla, ShutDownStopsItButKeepsItRecordedAsRunning) {
  SensorsRig rig;
  rig.s->ApagarEscaner();  // not running: nothing
  EXPECT_TRUE(rig.clicks.empty());
  rig.s->escaner.CmdScan_Click();
  rig.s->ApagarEscaner();
  EXPECT_FALSE(rig.s->marco.Visible);
  EXPECT_FALSE(rig.tmrReloj.Enabled());
  EXPECT_TRUE(rig.botones[0].Enabled);
  EXPECT_EQ(rig.s->escaner.CmdScan.Tag, "1");
  rig.s->GuardarSensores();
  EXPECT_TRUE((*LeerRegistros(rig.Recursos() + "/Miravela.SNR", 3))[1].Campo3);

  SensorsRig despues(rig.Recursos());
  despues.s->CargarSensores();
  EXPECT_TRUE(despues.s->escaner.Activo());
  EXPECT_TRUE(despues.s->marco.Visible);
}

TEST(CapturadorPantalla, ChangingTheResolutionWhileRunningResizesTheFrame) {
  SensorsRig rig;
  rig.s->escaner.CmdScan_Click();
  rig.s->marco.TmrZoom.SetEnabled(false);
  rig.s->panel.Mover(kResolucion, 1);
  EXPECT_EQ(rig.s->marco.Interior().size(), QSize(324, 244));
  EXPECT_EQ(rig.s->marco.AnchoPx(), 330);
  EXPECT_TRUE(rig.s->marco.Visible);
  EXPECT_TRUE(rig.s->marco.TmrZoom.Enabled());
  rig.s->marco.CmdZoom[0].Caption = "+7";
  rig.clock.Advance(499);
  EXPECT_EQ(rig.s->marco.CmdZoom[0].Caption, "+7");
  rig.clock.Advance(1);
  EXPECT_EQ(rig.s->marco.CmdZoom[0].Caption, "+1");
  EXPECT_FALSE(rig.s->marco.TmrZoom.Enabled());
}

TEST(CapturadorPantalla, HelpTextFollowsTheButtonColour) {
  SensorsRig rig;
  rig.s->escaner.CmdScan_MouseMove(rig.lblAyuda);
  EXPECT_EQ(rig.lblAyuda.Caption, "Activar Capturador de Pantalla");
  rig.s->escaner.CmdScan_Click();
  rig.s->escaner.CmdScan_MouseMove(rig.lblAyuda);
  EXPECT_EQ(rig.lblAyuda.Caption, "Desactivar Capturador de Pantalla");
}

}  // namespace
}  // namespace miravela::test
