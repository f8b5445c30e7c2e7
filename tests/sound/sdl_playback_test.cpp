// Sound through the real player into SDL's disk driver, whose output file the tests
// measure: what plays, what is refused, and what silences it.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "sound/mci_interpreter.h"
#include "sound/medios.h"
#include "sound/sdl_audio_player.h"
#include "sound/sound_support.h"

namespace miravela {
namespace {

constexpr double kMp3Hz = 440;   // the tone kept beside the tests
constexpr double kWavHz = 1500;  // the tones the tests write

// The real chain, with every command it is sent logged.
struct RealSound {
  test::DiskAudio disk;
  SdlAudioPlayer player;
  MciInterpreter mci{player};
  QStringList sent;
  Medios medios{[this](const QString& command) {
    sent << command;
    return mci.Send(command).text;
  }};
  QTemporaryDir dir;

  QString Path(const QString& name) const { return dir.filePath(name); }
  void CopyMp3(const QString& name) const { QFile::copy(test::ToneMp3(), Path(name)); }
  bool WaitForSound() const {
    return test::WaitFor([this] { return disk.Read().Loud() > 2000; });
  }
  bool WaitForEnd() const {
    return test::WaitFor([this] { return medios.EstadoMedio() == kMedioNinguno; });
  }
};

TEST(SdlPlayback, Mp3IsPreferredToWavOfTheSameName) {
  RealSound s;
  s.CopyMp3("x.mp3");
  test::WriteToneWav(s.Path("x.wav"), kWavHz, 800);
  s.medios.ReproducirSonido(s.Path("x"));
  EXPECT_EQ(s.medios.EstadoMedio(), kMedioSonando);
  ASSERT_TRUE(s.WaitForSound());
  ASSERT_TRUE(s.WaitForEnd());
  EXPECT_NEAR(s.disk.Read().PitchHz(), kMp3Hz, 15);
}

TEST(SdlPlayback, WavPlaysWhenThereIsNoMp3) {
  RealSound s;
  test::WriteToneWav(s.Path("y.wav"), kWavHz, 500);
  s.medios.ReproducirSonido(s.Path("y"));
  ASSERT_TRUE(s.WaitForSound());
  ASSERT_TRUE(s.WaitForEnd());
  EXPECT_NEAR(s.disk.Read().PitchHz(), kWavHz, 30);
}

TEST(SdlPlayback, SecondSoundWhilePlayingIsIgnored) {
  RealSound s;
  s.CopyMp3("first.mp3");
  test::WriteToneWav(s.Path("second.wav"), kWavHz, 500);
  s.medios.ReproducirSonido(s.Path("first"));
  s.sent.clear();
  s.medios.ReproducirSonido(s.Path("second"));
  EXPECT_EQ(s.sent, QStringList{"status med mode"});
  ASSERT_TRUE(s.WaitForSound());
  ASSERT_TRUE(s.WaitForEnd());
  // Only the first tone was ever heard.
  EXPECT_NEAR(s.disk.Read().PitchHz(), kMp3Hz, 15);
}

TEST(SdlPlayback, PausedSoundAlsoBlocksANewOne) {
  RealSound s;
  test::WriteToneWav(s.Path("long.wav"), kMp3Hz, 3000);
  test::WriteToneWav(s.Path("other.wav"), kWavHz, 500);
  s.medios.ReproducirSonido(s.Path("long"));
  ASSERT_TRUE(s.WaitForSound());
  s.medios.EnviarMci("pause med");
  ASSERT_EQ(s.medios.EstadoMedio(), kMedioEnPausa);
  const qint64 pausedAt = s.disk.Written() / 4;
  s.sent.clear();
  s.medios.ReproducirSonido(s.Path("other"));
  EXPECT_EQ(s.sent, QStringList{"status med mode"});
  EXPECT_EQ(s.medios.EstadoMedio(), kMedioEnPausa);
  // Nothing more is heard after the pause: the driver's buffer in flight aside.
  test::WaitFor([&] { return s.disk.Written() / 4 > pausedAt + 3 * 4096; }, 3000);
  EXPECT_EQ(s.disk.Read().Loud(static_cast<std::size_t>(pausedAt) + 2 * 4096), 0u);
}

TEST(SdlPlayback, MissingFileSendsTheThreeCommandsAndPlaysNothing) {
  RealSound s;
  s.medios.ReproducirSonido(s.Path("absent"));
  EXPECT_EQ(s.sent, QStringList({"status med mode", "close all", "open \"" + s.Path("absent.wav") + "\" alias med",
                                 "set med time format milliseconds", "play med"}));
  EXPECT_EQ(s.medios.EstadoMedio(), kMedioNinguno);
  // The device is open and writing: a tenth of a second of it, all silence.
  ASSERT_TRUE(test::WaitFor([&] { return s.disk.Written() > test::Recording::kRate * 4 / 10; }));
  EXPECT_EQ(s.disk.Read().Loud(0, 0), 0u);
}

TEST(SdlPlayback, CloseAllSilencesASoundThatPlays) {
  RealSound s;
  test::WriteToneWav(s.Path("long.wav"), kMp3Hz, 4000);
  s.medios.ReproducirSonido(s.Path("long"));
  ASSERT_TRUE(s.WaitForSound());
  s.medios.CerrarMedios();
  const qint64 closedAt = s.disk.Written() / 4;
  EXPECT_EQ(s.medios.EstadoMedio(), kMedioNinguno);
  test::WaitFor([&] { return s.disk.Written() / 4 > closedAt + 3 * 4096; }, 3000);
  const test::Recording after = s.disk.Read();
  EXPECT_GT(after.left.size(), static_cast<std::size_t>(closedAt) + 3 * 4096);
  EXPECT_EQ(after.Loud(static_cast<std::size_t>(closedAt) + 2 * 4096), 0u);
}

// No sound device is no error: nothing plays, and a device that turns up later is
// used from the next sound on.
TEST(SdlPlayback, MissingDeviceIsSilentAndALaterDeviceIsUsed) {
  RealSound s;
  test::DiskAudio::UseDriver("no-such-driver");
  s.CopyMp3("x.mp3");
  s.medios.ReproducirSonido(s.Path("x"));
  EXPECT_FALSE(s.player.DeviceOpen());
  EXPECT_EQ(s.medios.EstadoMedio(), kMedioNinguno);
  EXPECT_FALSE(QFile::exists(s.disk.OutputFile()));

  test::DiskAudio::UseDriver("disk");
  s.medios.ReproducirSonido(s.Path("x"));
  EXPECT_TRUE(s.player.DeviceOpen());
  ASSERT_TRUE(s.WaitForSound());
  ASSERT_TRUE(s.WaitForEnd());
  EXPECT_NEAR(s.disk.Read().PitchHz(), kMp3Hz, 15);
}

TEST(SdlPlayback, LengthAndPositionInMilliseconds) {
  RealSound s;
  test::WriteToneWav(s.Path("t.wav"), kWavHz, 700);
  ASSERT_TRUE(s.medios.AbrirMedio(s.Path("t.wav")));
  EXPECT_NEAR(s.mci.Send("status med length").text.toDouble(), 700, 5);
  s.medios.ReproducirMedio();
  ASSERT_TRUE(s.WaitForSound());
  s.medios.EnviarMci("pause med");
  const long long position = s.mci.Send("status med position").text.toLongLong();
  EXPECT_GT(position, 0);
  EXPECT_LT(position, 700);
}

}  // namespace
}  // namespace miravela
