#include "sound/medios.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "sound/sound_support.h"
#include "support/fakes.h"

namespace miravela {
namespace {

TEST(Medios, OpeningClosesFirstAndAlwaysSetsTheTimeFormat) {
  struct Case {
    const char* reply;
    bool opened;
  };
  for (const Case c : {Case{"1", true}, Case{"12", true}, Case{"", false}, Case{"0", false}, Case{"x", false}}) {
    SCOPED_TRACE(c.reply);
    test::CommandLog log;
    log.openReply = c.reply;
    const Medios medios(log.Sender());
    EXPECT_EQ(medios.AbrirMedio("/a b/c.mp3"), c.opened);
    EXPECT_EQ(log.sent,
              QStringList({"close all", "open \"/a b/c.mp3\" alias med", "set med time format milliseconds"}));
  }
}

TEST(Medios, StateReadsOnlyTheExactModeWords) {
  struct Case {
    const char* reply;
    int state;
  };
  for (const Case c : {Case{"playing", 1}, Case{"paused", 2}, Case{"stopped", 0}, Case{"not ready", 0}, Case{"", 0},
                       Case{"Playing", 0}, Case{"playing ", 0}}) {
    SCOPED_TRACE(c.reply);
    test::CommandLog log;
    log.mode = c.reply;
    EXPECT_EQ(Medios(log.Sender()).EstadoMedio(), c.state);
    EXPECT_EQ(log.sent, QStringList{"status med mode"});
  }
}

TEST(Medios, RepliesLoseTheirNulCharacters) {
  const Medios medios([](const QString&) { return QString("play") + QChar(0) + "ing" + QChar(0) + QChar(0); });
  EXPECT_EQ(medios.EnviarMci("status med mode"), "playing");
  EXPECT_EQ(medios.EstadoMedio(), kMedioSonando);
}

TEST(Medios, SimpleCommands) {
  test::CommandLog log;
  const Medios medios(log.Sender());
  medios.ReproducirMedio();
  medios.CerrarMedios();
  EXPECT_EQ(log.sent, QStringList({"play med", "close all"}));
}

// Which file a sound name opens, by the files its folder holds.
TEST(Medios, SoundNameOpensMp3BeforeWav) {
  struct Case {
    QStringList files;
    const char* opened;  // relative to the folder
  };
  const Case cases[] = {
      {{"x.mp3", "x.wav"}, "x.mp3"},  {{"x.wav"}, "x.wav"}, {{"x.MP3", "x.wav"}, "x.MP3"},
      {{"x.Wav"}, "x.Wav"},           {{}, "x.wav"},  // nothing there: the WAV name is tried and fails
      {{"X.mp3", "xx.mp3"}, "x.wav"},                 // only the extension is matched without regard to case
      {{"x.mp3.wav"}, "x.wav"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.files.join(",").toStdString());
    QTemporaryDir dir;
    for (const QString& f : c.files) test::WriteAll(dir.filePath(f), "sound");
    test::CommandLog log;
    Medios(log.Sender()).ReproducirSonido(dir.filePath("x"));
    EXPECT_EQ(log.sent,
              QStringList({"status med mode", "close all", "open \"" + dir.filePath(c.opened) + "\" alias med",
                           "set med time format milliseconds", "play med"}));
  }
}

TEST(Medios, PlayingOrPausedSoundBlocksANewOne) {
  for (const char* mode : {"playing", "paused"}) {
    SCOPED_TRACE(mode);
    test::CommandLog log;
    log.mode = mode;
    Medios(log.Sender()).ReproducirSonido("/nowhere/x");
    EXPECT_EQ(log.sent, QStringList{"status med mode"});
  }
}

}  // namespace
}  // namespace miravela
