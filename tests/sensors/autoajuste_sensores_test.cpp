#include <gtest/gtest.h>

#include "sensors/sensors_rig.h"

namespace miravela::test {
namespace {

struct AutoajusteTest : ::testing::Test {
  void SetUp() override { rig.similitud = 80; }
  // One analysed frame of a changing scene that shows similarity `s`.
  void FrameCambiante(int s) {
    rig.s->autoajuste.SimilitudAnterior = static_cast<std::int16_t>(s + 1);
    rig.similitud = static_cast<std::int16_t>(s);
    rig.s->autoajuste.PasoAutoajuste();
  }
  int M() const { return rig.s->panel.Valor(kMovimiento); }
  int C() const { return rig.s->panel.Valor(kColor); }
  SensorsRig rig;
};

TEST_F(AutoajusteTest, MovimientoRisesOneStepPerChangingFrameToJustBelowTheScene) {
  rig.s->panel.Mover(kMovimiento, 30);
  rig.s->autoajuste.CmdAutoAjuste_Click();
  std::vector<int> vistos;
  for (int i = 0; i < 10; ++i) {
    FrameCambiante(90);
    vistos.push_back(M());
  }
  EXPECT_EQ(vistos, (std::vector<int>{31, 32, 33, 34, 35, 36, 37, 37, 37, 37}));
  EXPECT_EQ(rig.s->panel.LblSensor[1].Caption, "87%");
  // The colour threshold settles where C + 50 = S - 6.
  EXPECT_EQ(C(), 34);
}

TEST_F(AutoajusteTest, MovimientoFallsButNeverBelowOne) {
  rig.s->panel.Mover(kMovimiento, 20);
  rig.s->autoajuste.CmdAutoAjuste_Click();
  for (int i = 0; i < 30; ++i) FrameCambiante(60);
  EXPECT_EQ(M(), 7);
  for (int i = 0; i < 30; ++i) FrameCambiante(52);
  EXPECT_EQ(M(), 1);
  EXPECT_EQ(C(), 1);
}

TEST_F(AutoajusteTest, NightVisionWidensTheColourMargin) {
  rig.PulsarBoton(0);
  rig.s->noche.CmdNoche_Click();
  rig.s->panel.Mover(kColor, 10);
  rig.s->autoajuste.CmdAutoAjuste_Click();
  for (int i = 0; i < 40; ++i) FrameCambiante(95);
  EXPECT_EQ(C() + 50, 95 - 27);
}

TEST_F(AutoajusteTest, SteadySceneWalksBackAfterThreeClockMinutes) {
  rig.clock.SetNow(QDateTime(QDate(2026, 12, 10), QTime(12, 0, 40)));
  rig.s->panel.Mover(kMovimiento, 30);
  rig.s->panel.Mover(kColor, 20);
  rig.s->autoajuste.CmdAutoAjuste_Click();
  for (int i = 0; i < 5; ++i) FrameCambiante(95);
  ASSERT_EQ(M(), 35);
  ASSERT_EQ(C(), 25);
  rig.similitud = 95;  // from now on the scene stays the same
  // 12:00:40 to 12:02:59 crosses two minute boundaries: nothing moves yet.
  rig.clock.SetNow(QDateTime(QDate(2026, 12, 10), QTime(12, 2, 59)));
  rig.s->autoajuste.PasoAutoajuste();
  EXPECT_EQ(M(), 35);
  // The third boundary: one unit back per frame, down to the user's values.
  rig.clock.SetNow(QDateTime(QDate(2026, 12, 10), QTime(12, 3, 0)));
  std::vector<std::pair<int, int>> vistos;
  for (int i = 0; i < 7; ++i) {
    rig.s->autoajuste.PasoAutoajuste();
    vistos.emplace_back(M(), C());
  }
  EXPECT_EQ(vistos,
            (std::vector<std::pair<int, int>>{{34, 24}, {33, 23}, {32, 22}, {31, 21}, {30, 20}, {30, 20}, {30, 20}}));
  // A change restarts the three minutes.
  FrameCambiante(90);
  const int tras = M();
  rig.similitud = 90;
  rig.clock.SetNow(QDateTime(QDate(2026, 12, 10), QTime(12, 5, 59)));
  rig.s->autoajuste.PasoAutoajuste();
  EXPECT_EQ(M(), tras);
}

TEST(LimitesDeMinuto, CountsBoundariesNotElapsedTime) {
  const QDate d(2026, 12, 10);
  EXPECT_EQ(LimitesDeMinuto(QDateTime(d, QTime(12, 0, 59)), QDateTime(d, QTime(12, 1, 0))), 1);
  EXPECT_EQ(LimitesDeMinuto(QDateTime(d, QTime(12, 0, 0)), QDateTime(d, QTime(12, 0, 59))), 0);
  EXPECT_EQ(LimitesDeMinuto(QDateTime(d, QTime(23, 59, 30)), QDateTime(d.addDays(1), QTime(0, 2, 0))), 3);
}

TEST_F(AutoajusteTest, SwitchingOffRestoresTheUsersValuesAtOnce) {
  rig.s->panel.Mover(kMovimiento, 30);
  rig.s->panel.Mover(kColor, 20);
  rig.s->autoajuste.CmdAutoAjuste_Click();
  EXPECT_EQ(rig.s->autoajuste.CmdAutoAjuste.BackColor, Rgb(255, 128, 128));
  for (int i = 0; i < 4; ++i) FrameCambiante(60);
  rig.s->autoajuste.CmdAutoAjuste_Click();
  EXPECT_FALSE(rig.s->autoajuste.Activo());
  EXPECT_EQ(rig.s->autoajuste.CmdAutoAjuste.BackColor, Rgb(255, 255, 128));
  EXPECT_EQ(M(), 30);
  EXPECT_EQ(C(), 20);
  EXPECT_EQ(rig.s->panel.LblSensor[1].Caption, "80%");
}

TEST_F(AutoajusteTest, SwitchingOnStopsTrackingFirst) {
  rig.botones[15].Appearance = 1;
  rig.s->autoajuste.CmdAutoAjuste_Click();
  EXPECT_EQ(rig.clicks, std::vector<int>{15});
  EXPECT_EQ(rig.botones[15].Appearance, 0);
  EXPECT_TRUE(rig.s->autoajuste.Activo());
  EXPECT_EQ(rig.s->autoajuste.SimilitudAnterior, 80);
  EXPECT_EQ(rig.s->autoajuste.UltimoCambio, rig.clock.Now());
}

TEST_F(AutoajusteTest, BeforeStartUpHasCompletedItOnlyBeeps) {
  rig.estadoInicio = -1;
  rig.s->autoajuste.CmdAutoAjuste_Click();
  EXPECT_EQ(rig.fakes.beeper.beeps, 1);
  EXPECT_FALSE(rig.s->autoajuste.Activo());
  EXPECT_TRUE(rig.sonidos.empty());
}

TEST_F(AutoajusteTest, VoiceClipsAnnounceTheSwitch) {
  const std::pair<double, const char*> encender[] = {
      {0.0, "/voz/OLMiX-1"}, {0.5, "/voz/OLMiX-2"}, {0.99, "/voz/OLMiX-3"}};
  const std::pair<double, const char*> apagar[] = {{0.2, "/voz/OLMiX-4"}, {0.7, "/voz/OLMiX-5"}, {0.4, "/voz/OLMiX-4"}};
  for (std::size_t i = 0; i < 3; ++i) {
    rig.aleatorios = {encender[i].first, apagar[i].first};
    rig.sonidos.clear();
    rig.s->autoajuste.CmdAutoAjuste_Click();
    rig.s->autoajuste.CmdAutoAjuste_Click();
    EXPECT_EQ(rig.sonidos, (std::vector<QString>{encender[i].second, apagar[i].second})) << i;
  }
}

TEST_F(AutoajusteTest, HelpTextFollowsTheButtonColour) {
  rig.s->autoajuste.CmdAutoAjuste_MouseMove(rig.lblAyuda);
  EXPECT_EQ(rig.lblAyuda.Caption, "Activar Autoajuste de Sensores");
  EXPECT_EQ(rig.lblAyuda.ForeColor, 255u);
  rig.s->autoajuste.CmdAutoAjuste_Click();
  rig.s->autoajuste.CmdAutoAjuste_MouseMove(rig.lblAyuda);
  EXPECT_EQ(rig.lblAyuda.Caption, "Desactivar Autoajuste de Sensores");
}

TEST_F(AutoajusteTest, TrackingStopsItWithoutTouchingTheSliders) {
  rig.s->autoajuste.CmdAutoAjuste_Click();
  for (int i = 0; i < 3; ++i) FrameCambiante(70);
  const int m = M();
  rig.PulsarBoton(15);
  EXPECT_FALSE(rig.s->autoajuste.Activo());
  EXPECT_EQ(rig.s->autoajuste.CmdAutoAjuste.BackColor, 0x80FFFFu);
  EXPECT_EQ(M(), m);
}

}  // namespace
}  // namespace miravela::test
