#include <gtest/gtest.h>

#include "base/registro_ajustes.h"
#include "sensors/sensors_rig.h"

namespace miravela::test {
namespace {

QByteArray Serializado(const RegistroAjustes& r) {
  const auto bytes = r.Serializar();
  return bytes ? QByteArray(reinterpret_cast<const char*>(bytes->data()), RegistroAjustes::kLongitud) : QByteArray();
}

QString Snr(const SensorsRig& rig) { return rig.Recursos() + "/Miravela.SNR"; }

// A window with every state SNR keeps switched on, and sliders away from their design.
void PrepararEstados(SensorsRig& rig) {
  PanelSensores& p = rig.s->panel;
  p.Mover(kMovimiento, 20);
  p.Mover(kColor, 40);
  p.Mover(kFrecuencia, 1500);
  p.Mover(kZoom, 3);
  p.Mover(kDensidad, 50);
  rig.PulsarBoton(0);
  rig.botones[5].Appearance = 1;
  rig.botones[3].Visible = false;
  rig.botones[4].Visible = true;
  rig.reducida = true;
  rig.botones[7].Appearance = 1;
  rig.inversa = true;
  rig.botones[15].Appearance = 1;
  rig.botones[6].Appearance = 1;
  p.LblSensor[8].Tag = "65280";
  rig.clicks.clear();
}

TEST(ArchivoSensores, MissingFileGivesTheDefaultsAndPressesNothing) {
  SensorsRig rig;
  rig.s->panel.Mover(kFrecuencia, 3000);
  rig.s->panel.Mover(kDensidad, 50);
  rig.s->panel.Mover(kResolucion, 4);
  rig.s->CargarSensores();
  const PanelSensores& p = rig.s->panel;
  EXPECT_EQ(rig.tmrReloj.Interval(), 500);
  EXPECT_EQ(p.LblSensor[5].Caption, "0,5 seg");
  EXPECT_EQ(p.LblSensor[9].Caption, "640");
  EXPECT_EQ(p.LblSensor[12].Caption, "80%");
  EXPECT_EQ(rig.parametros.PasoMuestra, 3);
  EXPECT_EQ(rig.parametros.ColumnasMuestra, 106);
  EXPECT_EQ(p.Valor(kMovimiento), 45);
  EXPECT_EQ(p.Valor(kColor), 35);
  EXPECT_TRUE(rig.clicks.empty());
  EXPECT_TRUE(rig.pasos.empty());
  EXPECT_FALSE(rig.s->autoajuste.Activo());
}

TEST(ArchivoSensores, WritesThreeRecordsByteForByte) {
  SensorsRig rig;
  PrepararEstados(rig);
  rig.s->GuardarSensores();
  const QByteArray bytes = ReadAll(Snr(rig));
  ASSERT_EQ(bytes.size(), 3 * 46);

  // Record 1 spelled out: two 16-bit tagged integers, the flag, three numbers, zeros.
  QByteArray r1 = QByteArray::fromHex(
      "0200"
      "0100"
      "0200"
      "0100"
      "ffff"
      "dc050000"
      "14000000"
      "28000000");
  r1.append(QByteArray(46 - r1.size(), '\0'));
  EXPECT_EQ(bytes.mid(0, 46).toHex(), r1.toHex());

  RegistroAjustes r2;
  r2.Campo1 = ValorEtiquetado::Entero(1);
  r2.Campo2 = ValorEtiquetado::Entero(1);
  r2.Campo3 = false;
  r2.Campo5 = 3;
  r2.Campo6 = 1;
  EXPECT_EQ(bytes.mid(46, 46).toHex(), Serializado(r2).toHex());
  RegistroAjustes r3;
  r3.Campo1 = ValorEtiquetado::Entero(1);
  r3.Campo2 = ValorEtiquetado::Entero(1);
  r3.Campo4 = 65280;
  r3.Campo5 = 1;
  r3.Campo6 = 0;
  EXPECT_EQ(bytes.mid(92, 46).toHex(), Serializado(r3).toHex());
}

TEST(ArchivoSensores, RoundTripRestoresValuesAndPressesTheButtonsInOrder) {
  SensorsRig antes;
  PrepararEstados(antes);
  antes.s->GuardarSensores();

  SensorsRig despues(antes.Recursos());
  despues.s->CargarSensores();
  const PanelSensores& p = despues.s->panel;
  EXPECT_EQ(p.Valor(kMovimiento), 20);
  EXPECT_EQ(p.Valor(kColor), 40);
  EXPECT_EQ(p.Valor(kFrecuencia), 1500);
  EXPECT_EQ(despues.tmrReloj.Interval(), 1500);
  EXPECT_EQ(p.Valor(kZoom), 3);
  EXPECT_EQ(despues.parametros.ZoomExtra, 10000);
  EXPECT_EQ(p.Valor(kDensidad), 50);
  EXPECT_EQ(despues.parametros.PasoMuestra, 1);
  EXPECT_TRUE(despues.botones[4].Visible);
  EXPECT_FALSE(despues.botones[3].Visible);
  EXPECT_EQ(p.LblSensor[8].Tag, "65280");
  // The camera is connected through its button, tracking switched on through its button.
  EXPECT_EQ(despues.clicks, (std::vector<int>{0, 15}));
  EXPECT_TRUE(despues.tmrReloj.Enabled());
  EXPECT_EQ(despues.botones[15].Appearance, 1);
  EXPECT_EQ(despues.botones[5].Appearance, 1);
  EXPECT_EQ(despues.botones[5].BackColor, Rgb(192, 255, 192));
  EXPECT_EQ(despues.pasos, (std::vector<QString>{"programacion", "reducir", "zona", "inversa", "email"}));

  // What was restored is written back unchanged.
  despues.s->GuardarSensores();
  EXPECT_EQ(ReadAll(Snr(despues)), ReadAll(Snr(antes)));
}

TEST(ArchivoSensores, AutoAdjustRunningKeepsTheUsersOwnValuesAndComesBack) {
  SensorsRig antes;
  antes.s->panel.Mover(kMovimiento, 30);
  antes.s->panel.Mover(kColor, 20);
  antes.similitud = 90;
  antes.s->autoajuste.CmdAutoAjuste_Click();
  for (int s : {95, 90, 95, 90}) {
    antes.similitud = static_cast<std::int16_t>(s);
    antes.s->autoajuste.PasoAutoajuste();
  }
  ASSERT_NE(antes.s->panel.Valor(kMovimiento), 30);
  antes.s->GuardarSensores();
  const auto registros = LeerRegistros(Snr(antes), 3);
  ASSERT_TRUE(registros);
  EXPECT_EQ((*registros)[0].Campo5, 30);
  EXPECT_EQ((*registros)[0].Campo6, 20);
  EXPECT_EQ((*registros)[2].Campo6, 1);

  SensorsRig despues(antes.Recursos());
  despues.s->CargarSensores();
  EXPECT_TRUE(despues.s->autoajuste.Activo());
  EXPECT_EQ(despues.s->autoajuste.MovimientoUsuario, 30);
  EXPECT_EQ(despues.s->autoajuste.ColorUsuario, 20);
}

TEST(ArchivoSensores, BeforeStartUpHasCompletedSchedulerAndAutoAdjustStayOff) {
  SensorsRig antes;
  antes.botones[5].Appearance = 1;
  antes.s->autoajuste.CmdAutoAjuste_Click();
  antes.s->GuardarSensores();
  SensorsRig despues(antes.Recursos());
  despues.estadoInicio = 0;
  despues.s->CargarSensores();
  EXPECT_EQ(despues.botones[5].Appearance, 0);
  EXPECT_FALSE(despues.s->autoajuste.Activo());
  EXPECT_TRUE(despues.pasos.empty());
  EXPECT_EQ(despues.fakes.beeper.beeps, 0);
}

TEST(ArchivoSensores, DamagedValuesLeaveTheSlidersWhereTheyWere) {
  SensorsRig rig;
  RegistroAjustes r1, r2, r3;
  r1.Campo4 = 7000;  // beyond Frecuencia
  r1.Campo5 = 99;    // beyond Movimiento
  r1.Campo6 = -3;    // below Color
  r2.Campo5 = 9;     // no zoom level
  r2.Campo6 = 0;     // no sample step: density 30
  ASSERT_TRUE(EscribirRegistros(Snr(rig), {r1, r2, r3}));
  rig.parametros = ParametrosDeteccion{1, 1.5f, 10, 1, 320, 240, 0};  // not those of the slider
  rig.s->CargarSensores();
  EXPECT_EQ(rig.s->panel.Valor(kMovimiento), 45);
  EXPECT_EQ(rig.s->panel.Valor(kColor), 35);
  EXPECT_EQ(rig.s->panel.Valor(kFrecuencia), 500);
  EXPECT_EQ(rig.s->panel.Valor(kZoom), 1);
  EXPECT_EQ(rig.s->panel.Valor(kDensidad), 30);
  // The slider did not move, yet its parameters are applied.
  EXPECT_EQ(rig.parametros.PasoMuestra, 3);
  EXPECT_EQ(rig.parametros.FilasMuestra, 80);
}

TEST(ArchivoSensores, SampleStepMapsToDensity) {
  const std::pair<int, int> casos[] = {{1, 50}, {2, 40}, {3, 30}, {4, 20}, {5, 10}, {6, 0}, {0, 30}, {7, 30}, {-1, 30}};
  for (const auto& [paso, densidad] : casos) EXPECT_EQ(DensidadDePaso(paso), densidad) << paso;
}

}  // namespace
}  // namespace miravela::test
