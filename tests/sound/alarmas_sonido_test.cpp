#include "sound/alarmas_sonido.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "base/text_codec.h"
#include "sound/sound_support.h"
#include "support/fakes.h"

namespace miravela {
namespace {

struct AlarmRig {
  QTemporaryDir dir;
  Configuracion config;
  test::CommandLog log;
  Medios medios{log.Sender()};
  QStringList help;
  AlarmasSonido alarmas{EntornoAlarmas{.config = config,
                                       .archivoAlr = dir.filePath("Miravela.ALR"),
                                       .medios = medios,
                                       .ayuda = [this](const QString& t) { help << t; },
                                       .colorDesplegada = 0x80FF80}};
  AlarmRig() {
    config.CarpetaAlarmas = dir.filePath("Alarmas");
    QDir().mkpath(config.CarpetaAlarmas);
  }
  void AddFiles(const QStringList& files) const {
    for (const QString& f : files) test::WriteAll(config.CarpetaAlarmas + '/' + f, "x");
  }
  QString Alr() const { return dir.filePath("Miravela.ALR"); }
};

TEST(AlarmasSonido, ListNamesTheSoundFilesWithoutExtension) {
  AlarmRig rig;
  rig.AddFiles({"b.mp3", "A.wav", "b.wav", "c.d.e.mp3", "notes.txt", "Z.MP3", "mp3"});
  QDir().mkpath(rig.config.CarpetaAlarmas + "/folder.mp3");
  rig.alarmas.CargarAlarmas();
  EXPECT_EQ(rig.alarmas.CboAlarma.List, QStringList({"A", "b", "b", "c.d.e", "Z"}));
  EXPECT_EQ(rig.alarmas.CboAlarma.Text(), "A");  // no ALR: the first entry
}

TEST(AlarmasSonido, MissingFolderGivesAnEmptyListAndNoChoice) {
  AlarmRig rig;
  rig.config.CarpetaAlarmas = rig.dir.filePath("gone");
  test::WriteAll(rig.Alr(), RegistroAlr("Sirena"));
  rig.alarmas.CargarAlarmas();
  EXPECT_TRUE(rig.alarmas.CboAlarma.List.isEmpty());
  EXPECT_EQ(rig.alarmas.CboAlarma.ListIndex, -1);
}

// The saved name is chosen when the folder still has it; otherwise the first entry.
TEST(AlarmasSonido, SavedChoiceIsRestored) {
  struct Case {
    QByteArray alr;
    const char* chosen;
  };
  const Case cases[] = {
      {RegistroAlr("c.d.e"), "c.d.e"},
      {RegistroAlr("gone"), "A"},
      {QByteArray("   b   "), "b"},            // trimmed at both ends, short record
      {QByteArray(255, ' '), "A"},             // an empty name
      {QByteArray(), "A"},                     // an empty file
      {RegistroAlr("Campaña"), "Campaña"},     // Windows-1252 in the record
      {RegistroAlr("警報"), "警報"},           // beyond Windows-1252: kept as UTF-8
      {RegistroAlr("b") + "more bytes", "b"},  // only record 1 is read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    AlarmRig rig;
    rig.AddFiles({"A.mp3", "b.wav", "c.d.e.mp3", "Campaña.mp3", "警報.wav"});
    test::WriteAll(rig.Alr(), c.alr);
    rig.alarmas.CargarAlarmas();
    EXPECT_EQ(rig.alarmas.CboAlarma.Text(), QString::fromUtf8(c.chosen));
  }
}

TEST(AlarmasSonido, SavedRecordIsTheNameFilledWithBlanks) {
  struct Case {
    QString name;
    QByteArray bytes;
  };
  const Case cases[] = {
      {"Sirena", "Sirena"},
      {"Campaña", *EncodeCp1252("Campaña")},
      {"警報", QString("警報").toUtf8()},
      {QString(300, 'x'), QByteArray(255, 'x')},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name.toStdString());
    const QByteArray record = RegistroAlr(c.name);
    ASSERT_EQ(record.size(), kLongitudAlr);
    EXPECT_EQ(record.left(c.bytes.size()), c.bytes);
    EXPECT_EQ(record.mid(c.bytes.size()), QByteArray(kLongitudAlr - c.bytes.size(), ' '));
  }
}

TEST(AlarmasSonido, SaveRewritesRecordOneOfAReadOnlyFileAndKeepsTheRest) {
  AlarmRig rig;
  rig.AddFiles({"Sirena.mp3", "Campana.mp3"});
  test::WriteAll(rig.Alr(), RegistroAlr("Sirena") + "tail");
  QFile(rig.Alr()).setPermissions(QFileDevice::ReadOwner);
  rig.alarmas.CargarAlarmas();
  ASSERT_EQ(rig.alarmas.CboAlarma.Text(), "Sirena");
  rig.alarmas.CboAlarma.ListIndex = 0;  // "Campana" sorts first
  rig.alarmas.GuardarAlarma();
  EXPECT_EQ(test::ReadAll(rig.Alr()), RegistroAlr("Campana") + "tail");
}

TEST(AlarmasSonido, AlarmPlaysItsSoundUnlessTheListIsEmpty) {
  AlarmRig rig;
  EXPECT_FALSE(rig.alarmas.ReproducirAlarma(rig.config.CarpetaAlarmas + "/Sirena"));
  EXPECT_TRUE(rig.log.sent.isEmpty());

  rig.AddFiles({"Sirena.mp3"});
  rig.alarmas.CargarAlarmas();
  EXPECT_TRUE(rig.alarmas.ReproducirAlarma(rig.config.CarpetaAlarmas + "/Sirena"));
  EXPECT_TRUE(rig.log.sent.contains("open \"" + rig.config.CarpetaAlarmas + "/Sirena.mp3\" alias med"));
  EXPECT_EQ(rig.log.sent.last(), "play med");
}

TEST(AlarmasSonido, OpeningTheListLightsItAndExplainsIt) {
  AlarmRig rig;
  rig.alarmas.CboAlarma_DropDown();
  EXPECT_EQ(rig.alarmas.CboAlarma.BackColor, 0x80FF80u);
  EXPECT_EQ(rig.help, QStringList{"Sonidos de Alarma"});
}

}  // namespace
}  // namespace miravela
