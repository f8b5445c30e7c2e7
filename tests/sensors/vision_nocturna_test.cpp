#include <gtest/gtest.h>

#include "base/registro_ajustes.h"
#include "sensors/sensors_rig.h"

namespace miravela::test {
namespace {

QString Nch(const SensorsRig& rig) { return rig.Recursos() + "/Miravela.NCH"; }

TEST(VisionNocturna, WithoutACameraItOnlyBeeps) {
  SensorsRig rig;
  const Control antes = rig.s->CmdNoche;
  rig.s->noche.CmdNoche_Click();
  EXPECT_EQ(rig.fakes.beeper.beeps, 1);
  EXPECT_FALSE(rig.s->noche.Activa());
  EXPECT_EQ(rig.s->CmdNoche.Caption, antes.Caption);
  EXPECT_EQ(rig.s->CmdNoche.BackColor, antes.BackColor);
  EXPECT_EQ(rig.s->noche.MargenNoche, 0);
  EXPECT_FALSE(rig.tmrSleep.Enabled());
}

TEST(VisionNocturna, SwitchingOnAndOffWithTheCameraConnected) {
  SensorsRig rig;
  rig.PulsarBoton(0);
  rig.s->panel.Mover(kNivelNoche, 50);
  rig.s->noche.CmdNoche_Click();
  EXPECT_TRUE(rig.s->noche.Activa());
  EXPECT_EQ(rig.s->CmdNoche.Tag, "1");
  EXPECT_EQ(rig.s->CmdNoche.Caption, "NOCHE +5");
  EXPECT_EQ(rig.s->CmdNoche.BackColor, Rgb(255, 128, 128));
  EXPECT_EQ(rig.s->noche.DivisorNoche(), 10);
  EXPECT_EQ(rig.s->noche.MargenNoche, 21);
  EXPECT_TRUE(rig.tmrSleep.Enabled());

  rig.tmrSleep.SetEnabled(false);
  rig.s->noche.CmdNoche_Click();
  EXPECT_FALSE(rig.s->noche.Activa());
  EXPECT_EQ(rig.s->CmdNoche.Caption, "NOCHE +5");  // the digit stays
  EXPECT_EQ(rig.s->noche.DivisorNoche(), 10);
  EXPECT_EQ(rig.s->CmdNoche.BackColor, Rgb(192, 255, 192));
  EXPECT_EQ(rig.s->noche.MargenNoche, 0);
  EXPECT_TRUE(rig.tmrSleep.Enabled());
}

TEST(VisionNocturna, DisconnectingTheCameraSwitchesItOff) {
  SensorsRig rig;
  rig.PulsarBoton(0);
  rig.s->noche.CmdNoche_Click();
  rig.PulsarBoton(0);  // disconnect
  EXPECT_FALSE(rig.s->noche.Activa());
  EXPECT_EQ(rig.s->noche.MargenNoche, 0);
  EXPECT_EQ(rig.s->CmdNoche.BackColor, Rgb(192, 255, 192));
}

TEST(VisionNocturna, HelpTextFollowsTheButtonColour) {
  SensorsRig rig;
  rig.s->noche.CmdNoche_MouseMove(rig.lblAyuda);
  EXPECT_EQ(rig.lblAyuda.Caption, QString::fromUtf8("Activar Visión Nocturna"));
  rig.PulsarBoton(0);
  rig.s->noche.CmdNoche_Click();
  rig.s->noche.CmdNoche_MouseMove(rig.lblAyuda);
  EXPECT_EQ(rig.lblAyuda.Caption, QString::fromUtf8("Desactivar Visión Nocturna"));
  EXPECT_EQ(rig.lblAyuda.ForeColor, 255u);
}

TEST(VisionNocturna, FileRoundTripAndMissingFile) {
  SensorsRig antes;
  antes.s->CargarVisionNocturna();  // no file: off at level 30
  EXPECT_FALSE(antes.s->noche.Activa());
  EXPECT_EQ(antes.s->noche.Nivel(), 30);

  antes.PulsarBoton(0);
  antes.s->panel.Mover(kNivelNoche, 40);
  antes.s->noche.CmdNoche_Click();
  antes.s->GuardarVisionNocturna();
  RegistroAjustes esperado;
  esperado.Campo5 = 1;
  esperado.Campo6 = 40;
  const auto leidos = LeerRegistros(Nch(antes), 1);
  ASSERT_TRUE(leidos);
  EXPECT_EQ((*leidos)[0], esperado);
  EXPECT_EQ(ReadAll(Nch(antes)).size(), 46);

  SensorsRig despues(antes.Recursos());
  despues.PulsarBoton(0);
  despues.s->CargarVisionNocturna();
  EXPECT_TRUE(despues.s->noche.Activa());
  EXPECT_EQ(despues.s->CmdNoche.Caption, "NOCHE +4");
  EXPECT_EQ(despues.s->noche.DivisorNoche(), 20);
}

TEST(VisionNocturna, SavedOnWithoutACameraStaysOffAndIsSavedOff) {
  SensorsRig rig;
  RegistroAjustes r;
  r.Campo5 = 1;
  r.Campo6 = 20;
  ASSERT_TRUE(EscribirRegistros(Nch(rig), {r}));
  rig.s->CargarVisionNocturna();
  EXPECT_FALSE(rig.s->noche.Activa());
  EXPECT_EQ(rig.s->CmdNoche.Caption, "NOCHE +2");
  EXPECT_EQ(rig.fakes.beeper.beeps, 1);
  rig.s->GuardarVisionNocturna();
  EXPECT_EQ((*LeerRegistros(Nch(rig), 1))[0].Campo5, 0);
}

}  // namespace
}  // namespace miravela::test
