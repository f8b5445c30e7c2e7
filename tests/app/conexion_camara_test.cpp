// Button 0 and button 2 on the main-window model, with a camera and a desktop of the test's own.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/form1.h"
#include "base/fake_clock.h"
#include "base/registro_ajustes.h"
#include "support/fakes.h"

namespace miravela {
namespace {

class Connection : public ::testing::Test {
 protected:
  Connection() {
    fakes.desktop.path = dir.path();
    camera.frame = QImage(320, 240, QImage::Format_RGB32);
    camera.frame.fill(Qt::darkCyan);
    form = std::make_unique<Form1>(Form1Deps{.clock = clock,
                                             .services = fakes.services(),
                                             .programa = ProgramFolder{"1", dir.path()},
                                             .camara = camera,
                                             .pantalla = screen});
    form->Form_Load();
    fakes.messages.shown.clear();
  }
  bool LoopRuns() const { return form->TmrReloj.Enabled(); }

  QTemporaryDir dir;
  FakeClock clock;
  test::FakeServices fakes;
  test::FakeCamera camera;
  test::FakeScreen screen;
  std::unique_ptr<Form1> form;
};

TEST_F(Connection, ConnectStartsTheSelectedCameraAndRemembersIt) {
  camera.names = {"Entrada", "Patio"};
  form->conexion().CargarCamaras();
  form->conexion().CboDriver.ListIndex = 1;
  form->Botones.PctBoton_Click(0);
  EXPECT_TRUE(LoopRuns());
  EXPECT_TRUE(form->TmrSleep.Enabled());
  EXPECT_TRUE(form->Botones.Pulsado(0));
  EXPECT_EQ(camera.startedName, "Patio");
  EXPECT_FALSE(form->pictures.Picture3.Visible);
  EXPECT_EQ(LeerRegistros(dir.path() + "/Recursos/Miravela.WCM", 1)->front().Campo5, 1);

  clock.Advance(6000);  // past the grace period: frames flow into the preview and the frame buffer
  EXPECT_FALSE(form->pictures.Picture1.Picture().isNull());
  EXPECT_EQ(form->pictures.Picture4.WidthPixels(), 324);

  form->Botones.PctBoton_Click(0);
  EXPECT_FALSE(LoopRuns());
  EXPECT_FALSE(camera.started);
  EXPECT_TRUE(form->pictures.Picture3.Visible);
  EXPECT_FALSE(form->Botones.Pulsado(0));
  EXPECT_EQ(form->Caption, form->TituloBase);
}

TEST_F(Connection, NoCameraShowsTheMessageAndStaysDisconnected) {
  camera.names.clear();
  form->conexion().CargarCamaras();
  EXPECT_GE(fakes.beeper.beeps, 1);
  form->Botones.PctBoton_Click(0);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].title, "Miravela - Imposible Conectar");
  EXPECT_TRUE(fakes.messages.shown[0].text.startsWith(QString::fromUtf8("No se encontró ninguna cámara Web")));
  EXPECT_FALSE(LoopRuns());
  EXPECT_EQ(form->Botones.LblAyuda.Caption, QString::fromUtf8("Cámaras Web Disponibles"));
}

TEST_F(Connection, WithTheScreenCapturerOnConnectWatchesTheDesktopAndConfigureBeeps) {
  camera.names.clear();
  form->conexion().CargarCamaras();
  form->sensores().escaner.CmdScan_Click();
  ASSERT_TRUE(form->sensores().escaner.Activo());
  // The capturer presses button 0 itself: an empty camera list does not stop it.
  EXPECT_TRUE(fakes.messages.shown.empty());
  EXPECT_TRUE(LoopRuns());
  EXPECT_FALSE(form->Botones.PctBoton[0].Enabled);
  EXPECT_EQ(camera.starts, 0);

  const int beeps = fakes.beeper.beeps;
  form->Botones.PctBoton_Click(2);
  EXPECT_EQ(fakes.beeper.beeps, beeps + 1);
  EXPECT_EQ(camera.configs, 0);
}

TEST_F(Connection, ConfigureRestartsTheCameraAndDisconnectSwitchesNightVisionOff) {
  form->Botones.PctBoton_Click(2);
  EXPECT_EQ(camera.configs, 0) << "not connected: only the beep";
  form->Botones.PctBoton_Click(0);
  form->Botones.PctBoton_Click(2);
  EXPECT_EQ(camera.configs, 1);
  EXPECT_TRUE(camera.started);
  EXPECT_TRUE(LoopRuns());

  form->sensores().noche.CmdNoche_Click();
  ASSERT_TRUE(form->sensores().noche.Activa());
  form->Botones.PctBoton_Click(0);
  EXPECT_FALSE(form->sensores().noche.Activa());
}

}  // namespace
}  // namespace miravela
