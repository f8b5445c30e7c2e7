#include "sound/sonidos_incorporados.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cmath>

#include "sound/sound_support.h"
#include "support/fakes.h"

namespace miravela {
namespace {

QStringList Names(const QStringList& paths) {
  QStringList names;
  for (const QString& p : paths) names << QFileInfo(p).fileName();
  return names;
}

TEST(SonidosIncorporados, ThreeKindsAreBuiltIn) {
  EXPECT_EQ(Names(SonidosIncorporados("Alarmas")), QStringList({"Aviso.mp3", "Campana.mp3", "Sirena.mp3"}));
  EXPECT_EQ(Names(SonidosIncorporados("Sonidos")), QStringList({"Pasos.mp3", "Radio.mp3", "Televisor.mp3"}));
  EXPECT_EQ(Names(SonidosIncorporados("OLMiX")),
            QStringList({"OLMiX-1.mp3", "OLMiX-2.mp3", "OLMiX-3.mp3", "OLMiX-4.mp3", "OLMiX-5.mp3"}));
}

// Every shipped sound decodes, lasts under a minute and is clearly audible.
TEST(SonidosIncorporados, EachIsShortAndNotSilent) {
  test::DiskAudio disk;
  test::DiskAudio::UseDriver("dummy");
  ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0);
  ASSERT_EQ(Mix_OpenAudio(test::Recording::kRate, AUDIO_S16SYS, 1, 2048), 0);
  for (const char* kind : {"Alarmas", "Sonidos", "OLMiX"}) {
    for (const QString& path : SonidosIncorporados(kind)) {
      SCOPED_TRACE(path.toStdString());
      QFile file(path);
      ASSERT_TRUE(file.open(QIODevice::ReadOnly));
      const QByteArray bytes = file.readAll();
      EXPECT_LT(bytes.size(), 64 * 1024);
      Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.constData(), static_cast<int>(bytes.size())), 1);
      ASSERT_NE(chunk, nullptr);
      const auto* samples = reinterpret_cast<const std::int16_t*>(chunk->abuf);
      const std::size_t count = chunk->alen / 2;
      const double seconds = static_cast<double>(count) / test::Recording::kRate;
      double energy = 0;
      for (std::size_t i = 0; i < count; ++i) energy += static_cast<double>(samples[i]) * samples[i];
      const double rms = std::sqrt(energy / static_cast<double>(std::max<std::size_t>(count, 1))) / 32768;
      EXPECT_GT(seconds, 1.0);
      EXPECT_LT(seconds, 60.0);
      EXPECT_GT(rms, 0.03);
      Mix_FreeChunk(chunk);
    }
  }
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

// What a start writes into a folder, by what the folder already holds.
TEST(SonidosIncorporados, WrittenOnlyIntoAFolderWithoutAnyOfThem) {
  struct Case {
    const char* name;
    QStringList present;  // each written with the bytes "mine"
    bool folderExists;
    QStringList written;
  };
  const QStringList all{"Aviso.mp3", "Campana.mp3", "Sirena.mp3"};
  const Case cases[] = {
      {"empty folder", {}, true, all},
      {"no folder", {}, false, all},
      {"only the user's own sounds", {"Perro.mp3", "notas.txt"}, true, all},
      {"one of ours, as MP3", {"Sirena.mp3"}, true, {}},
      {"one of ours by name, as WAV", {"Campana.wav"}, true, {}},
      {"one of ours, extension in capitals", {"Aviso.MP3"}, true, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QTemporaryDir dir;
    const QString folder = dir.filePath("Alarmas");
    if (c.folderExists) QDir().mkpath(folder);
    for (const QString& f : c.present) test::WriteAll(folder + '/' + f, "mine");
    EXPECT_EQ(InstalarSonidos("Alarmas", folder), c.written.size());
    for (const QString& f : c.present) EXPECT_EQ(test::ReadAll(folder + '/' + f), "mine");
    for (const QString& f : c.written) {
      QFile shipped(":/sounds/Alarmas/" + f);
      ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
      EXPECT_EQ(test::ReadAll(folder + '/' + f), shipped.readAll());
    }
    const QStringList expected = QStringList(c.present + c.written);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), expected.size());
    EXPECT_EQ(InstalarSonidos("Alarmas", folder), 0);  // a second start writes nothing
  }
}

TEST(SonidosIncorporados, EveryKindGoesToItsFolder) {
  QTemporaryDir dir;
  Configuracion config;
  config.CarpetaAlarmas = dir.filePath("Alarmas");
  config.CarpetaSonidos = dir.filePath("Sonidos");
  config.CarpetaVoz = dir.filePath("OLMiX");
  InstalarSonidosIncorporados(config);
  EXPECT_EQ(QDir(config.CarpetaAlarmas).entryList(QDir::Files), Names(SonidosIncorporados("Alarmas")));
  EXPECT_EQ(QDir(config.CarpetaSonidos).entryList(QDir::Files), Names(SonidosIncorporados("Sonidos")));
  EXPECT_EQ(QDir(config.CarpetaVoz).entryList(QDir::Files), Names(SonidosIncorporados("OLMiX")));
}

}  // namespace
}  // namespace miravela
