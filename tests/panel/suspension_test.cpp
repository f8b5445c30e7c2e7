#include "panel/suspension.h"

#include <gtest/gtest.h>

#include "base/fake_clock.h"
#include "panel/button_bar.h"
#include "support/fakes.h"

namespace miravela {
namespace {

// A connected camera with its frame loop running, and the suspend button beside it.
class Suspend : public ::testing::Test {
 protected:
  Suspend() {
    tmrSleep.OnTimer = [this] { suspension.TmrSleep_Timer(); };
    tmrSuspender.OnTimer = [this] { suspension.TmrSuspender_Timer(); };
    tmrReloj.SetEnabled(true);
  }
  void Press(int times) {
    for (int i = 0; i < times; ++i) suspension.CmdSuspender_Click();
  }
  FakeClock clock;
  ModelTimer tmrReloj{clock, "TmrReloj", 500};
  ModelTimer tmrSleep{clock, "TmrSleep", 5000};
  ModelTimer tmrSuspender{clock, "TmrSuspender", 1000};
  test::FakeBeeper beeper;
  bool connected = true, placeholder = false;
  int readoutRestored = 0;
  Suspension suspension{{.tmrReloj = tmrReloj,
                         .tmrSleep = tmrSleep,
                         .tmrSuspender = tmrSuspender,
                         .beeper = beeper,
                         .camaraConectada = [this] { return connected; },
                         .mostrarPlaceholder = [this](bool shown) { placeholder = shown; },
                         .restaurarLectura = [this] { ++readoutRestored; }}};
};

TEST_F(Suspend, CycleOfDurationsReplacesTheTimeLeft) {
  struct Step {
    int position, seconds;
    const char* banner;
    bool bannerShown;
  };
  const Step steps[] = {
      {1, 120, "00:02:00", true}, {2, 300, "00:05:00", true}, {3, 600, "00:10:00", true}, {4, 1, "00:00:01", false}};
  for (const Step& s : steps) {
    clock.Advance(400);  // part of a second passes between presses
    Press(1);
    EXPECT_EQ(suspension.Posicion(), s.position);
    EXPECT_EQ(suspension.Restantes(), s.seconds);
    EXPECT_EQ(suspension.LblFondo3.Caption, s.banner);
    EXPECT_EQ(suspension.LblFondo3.Visible, s.bannerShown);
    EXPECT_EQ(suspension.CmdSuspender.BackColor, kColorPulsado);
    EXPECT_FALSE(tmrReloj.Enabled());
    EXPECT_TRUE(placeholder);
  }
  EXPECT_EQ(readoutRestored, 1);

  Press(1);  // a fifth press inside the last second changes nothing else
  EXPECT_EQ(suspension.Posicion(), 5);
  EXPECT_EQ(suspension.Restantes(), 1);
  EXPECT_FALSE(tmrReloj.Enabled());

  clock.Advance(1000);  // the next tick ends it
  EXPECT_EQ(suspension.Posicion(), 0);
  EXPECT_TRUE(tmrReloj.Enabled());
  EXPECT_TRUE(tmrSleep.Enabled()) << "watching resumes with the grace period";
  EXPECT_FALSE(tmrSuspender.Enabled());
  EXPECT_FALSE(placeholder);
  EXPECT_EQ(suspension.CmdSuspender.BackColor, kColorReposo);
  clock.Advance(5000);
  EXPECT_FALSE(tmrSleep.Enabled()) << "the grace period is one shot";
}

TEST_F(Suspend, BannerCountsDownToTheEnd) {
  Press(1);
  clock.Advance(1000);
  EXPECT_EQ(suspension.LblFondo3.Caption, "00:01:59");
  EXPECT_EQ(suspension.Restantes(), 119);
  clock.Advance(118 * 1000);
  EXPECT_EQ(suspension.LblFondo3.Caption, "00:00:01");
  EXPECT_TRUE(suspension.LblFondo3.Visible);
  EXPECT_FALSE(tmrReloj.Enabled());
  clock.Advance(1000);
  EXPECT_FALSE(suspension.LblFondo3.Visible);
  EXPECT_TRUE(tmrReloj.Enabled());
  EXPECT_EQ(suspension.Restantes(), 0);
}

TEST_F(Suspend, DisconnectingMidwayCancels) {
  Press(2);
  clock.Advance(42 * 1000);
  EXPECT_EQ(suspension.LblFondo3.Caption, "00:04:18");
  // The disconnect sequence: the suspension goes first, then the frame loop stops.
  suspension.Cancelar();
  tmrReloj.SetEnabled(false);
  connected = false;
  EXPECT_EQ(suspension.Posicion(), 0);
  EXPECT_EQ(suspension.Restantes(), 0);
  EXPECT_FALSE(suspension.LblFondo3.Visible);
  EXPECT_EQ(suspension.CmdSuspender.BackColor, kColorReposo);
  clock.Advance(10 * 60 * 1000);
  EXPECT_FALSE(tmrReloj.Enabled()) << "the end of a cancelled countdown never restarts watching";
  EXPECT_FALSE(tmrSleep.Enabled());
}

TEST_F(Suspend, DisconnectedPressOnlyBeeps) {
  tmrReloj.SetEnabled(false);
  connected = false;
  Press(1);
  EXPECT_EQ(beeper.beeps, 1);
  EXPECT_EQ(suspension.Posicion(), 0);
  EXPECT_EQ(suspension.CmdSuspender.BackColor, kColorReposo);
  EXPECT_FALSE(tmrSuspender.Enabled());
  EXPECT_FALSE(suspension.LblFondo3.Visible);

  Control ayuda;
  suspension.CmdSuspender_MouseMove(ayuda);
  EXPECT_EQ(ayuda.Caption, "Activar Temporizador (2M/5M/10M/OFF)");
  EXPECT_EQ(ayuda.ForeColor, kAyudaActiva);
}

TEST(SuspendTime, SecondsAsTimeOfDay) {
  EXPECT_EQ(TextoTiempo(120), "00:02:00");
  EXPECT_EQ(TextoTiempo(600), "00:10:00");
  EXPECT_EQ(TextoTiempo(3661), "01:01:01");
  EXPECT_EQ(TextoTiempo(0), "00:00:00");
}

}  // namespace
}  // namespace miravela
