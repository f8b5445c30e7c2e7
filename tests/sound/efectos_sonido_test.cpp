#include "sound/efectos_sonido.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/fake_clock.h"
#include "base/registro_ajustes.h"
#include "sound/sound_support.h"
#include "support/fakes.h"

namespace miravela {
namespace {

struct EffectsRig {
  QTemporaryDir dir;
  Configuracion config;
  FakeClock clock;
  ModelTimer timer{clock, "TmrEfectoSonido", 2000};
  test::CommandLog log;
  Medios medios{log.Sender()};
  bool pressed = false;
  QStringList help;
  double random = 0;
  EfectosSonido efectos{EntornoEfectos{.config = config,
                                       .archivoEsn = dir.filePath("Miravela.ESN"),
                                       .medios = medios,
                                       .tmrEfectoSonido = timer,
                                       .boton = {[this] { return pressed; }, [this](bool on) { pressed = on; }},
                                       .ayuda = [this](const QString& t) { help << t; },
                                       .aleatorio = [this] { return random; }}};
  EffectsRig() {
    config.CarpetaSonidos = dir.filePath("Sonidos");
    config.RepeticionEfecto = 7;
    QDir().mkpath(config.CarpetaSonidos);
    for (const char* f : {"Pasos.mp3", "Radio.wav", "Tele.visor.mp3"})
      test::WriteAll(config.CarpetaSonidos + '/' + f, "x");
  }
  QString Opened(const QString& file) const { return "open \"" + config.CarpetaSonidos + '/' + file + "\" alias med"; }
  QString Esn() const { return dir.filePath("Miravela.ESN"); }
};

TEST(EfectosSonido, ButtonShowsTheListAndAPickPlaysAndStartsTheTimer) {
  EffectsRig rig;
  auto& list = rig.efectos.FilEfectoSonido;
  EXPECT_FALSE(list.Visible);
  rig.efectos.AlternarEfectos();
  EXPECT_TRUE(rig.pressed);
  EXPECT_TRUE(list.Visible);
  EXPECT_EQ(list.List, QStringList({"Pasos.mp3", "Radio.wav", "Tele.visor.mp3"}));
  EXPECT_EQ(list.ListIndex, -1);
  EXPECT_FALSE(rig.timer.Enabled());

  rig.efectos.FilEfectoSonido_Click();  // beside the entries: nothing picked
  EXPECT_TRUE(list.Visible);
  EXPECT_TRUE(rig.log.sent.isEmpty());

  rig.efectos.Seleccionar(2);
  EXPECT_FALSE(list.Visible);
  EXPECT_TRUE(rig.timer.Enabled());
  EXPECT_TRUE(rig.log.sent.contains(rig.Opened("Tele.visor.mp3")));
  EXPECT_EQ(rig.log.sent.last(), "play med");
}

TEST(EfectosSonido, ButtonOffStopsTheTimerHidesTheListAndClosesTheDevice) {
  EffectsRig rig;
  rig.efectos.AlternarEfectos();
  rig.efectos.Seleccionar(0);
  rig.log.sent.clear();
  rig.efectos.AlternarEfectos();
  EXPECT_FALSE(rig.pressed);
  EXPECT_FALSE(rig.timer.Enabled());
  EXPECT_FALSE(rig.efectos.FilEfectoSonido.Visible);
  EXPECT_EQ(rig.log.sent, QStringList{"close all"});
}

// A tick replays the effect only when nothing sounds and the draw comes out at 1.
TEST(EfectosSonido, TickRepeatsAtRandomOnlyAfterTheEffectEnded) {
  struct Case {
    const char* mode;
    double random;
    int odds;
    bool replays;
  };
  const Case cases[] = {
      {"stopped", 0.15, 7, true},  {"stopped", 0.2, 7, true},     {"stopped", 0.1, 7, false},
      {"stopped", 0.3, 7, false},  {"playing", 0.2, 7, false},    {"paused", 0.2, 7, false},
      {"not ready", 0.2, 7, true}, {"stopped", 0.5, 2, true},     {"stopped", 0.999, 1, false},
      {"stopped", 0.0, 1, false},  {"stopped", 0.99, 255, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.random << " " << c.odds);
    EffectsRig rig;
    rig.config.RepeticionEfecto = static_cast<std::uint8_t>(c.odds);
    rig.efectos.AlternarEfectos();
    rig.efectos.Seleccionar(1);
    rig.log.sent.clear();
    rig.log.mode = c.mode;
    rig.random = c.random;
    rig.clock.Advance(2000);
    const bool replayed = rig.log.sent.contains(rig.Opened("Radio.wav"));
    EXPECT_EQ(replayed, c.replays);
  }
}

TEST(EfectosSonido, OddsOfOneNeverRepeat) {
  EffectsRig rig;
  rig.config.RepeticionEfecto = 1;
  rig.efectos.AlternarEfectos();
  rig.efectos.Seleccionar(0);
  rig.log.sent.clear();
  for (double r = 0; r < 1; r += 1.0 / 512) {
    rig.random = r;
    rig.clock.Advance(2000);
  }
  EXPECT_EQ(rig.log.sent.count("status med mode"), 512);
  EXPECT_FALSE(rig.log.sent.contains("play med"));
}

TEST(EfectosSonido, RestoredFromTheSettingsFile) {
  struct Case {
    bool file;
    int position, on;
    const char* plays;  // empty: the effects stay off
  };
  const Case cases[] = {
      {false, 0, 0, ""}, {true, 1, 1, "Radio.wav"}, {true, 0, 1, "Pasos.mp3"}, {true, -1, 1, ""},
      {true, 1, 0, ""},  {true, 3, 1, ""},          {true, -5, 1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.file << " " << c.position << " " << c.on);
    EffectsRig rig;
    if (c.file) {
      RegistroAjustes r;
      r.Campo4 = c.position;
      r.Campo5 = c.on;
      ASSERT_TRUE(EscribirRegistros(rig.Esn(), {r}));
    }
    rig.efectos.CargarEfectosSonido();
    const bool on = *c.plays != '\0';
    EXPECT_EQ(rig.pressed, on);
    EXPECT_EQ(rig.timer.Enabled(), on);
    EXPECT_FALSE(rig.efectos.FilEfectoSonido.Visible);
    if (on)
      EXPECT_TRUE(rig.log.sent.contains(rig.Opened(c.plays)));
    else
      EXPECT_TRUE(rig.log.sent.isEmpty());
  }
}

TEST(EfectosSonido, SavedStateRoundTrips) {
  struct Case {
    bool pick;
    bool switchOff;
    int position, on;
    bool onAfterRestart;
  };
  const Case cases[] = {
      {true, false, 2, 1, true},
      {true, true, 2, 0, false},
      {false, false, -1, 1, false},  // switched on but nothing picked
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.pick << c.switchOff);
    EffectsRig rig;
    rig.efectos.AlternarEfectos();
    if (c.pick) rig.efectos.Seleccionar(2);
    if (c.switchOff) rig.efectos.AlternarEfectos();
    rig.efectos.GuardarEfectosSonido();
    const auto records = LeerRegistros(rig.Esn(), 1);
    ASSERT_TRUE(records);
    const RegistroAjustes& r = (*records)[0];
    EXPECT_EQ(r.Campo1, ValorEtiquetado());
    EXPECT_EQ(r.Campo2, ValorEtiquetado());
    EXPECT_FALSE(r.Campo3);
    EXPECT_EQ(r.Campo4, c.position);
    EXPECT_EQ(r.Campo5, c.on);
    EXPECT_EQ(r.Campo6, 0);

    EffectsRig next;
    QFile::copy(rig.Esn(), next.Esn());
    next.efectos.CargarEfectosSonido();
    EXPECT_EQ(next.pressed, c.onAfterRestart);
  }
}

TEST(EfectosSonido, PointerOverTheListExplainsIt) {
  EffectsRig rig;
  rig.efectos.FilEfectoSonido_MouseMove();
  EXPECT_EQ(rig.help, QStringList{"Seleccionar Archivo de Sonido"});
}

}  // namespace
}  // namespace miravela
