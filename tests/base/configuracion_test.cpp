#include "base/configuracion.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "base/folders.h"
#include "support/fakes.h"

namespace miravela {
namespace {

QByteArray Ini(const QStringList& values) {
  const char* sections[] = {"[TAGCAM]", "[DIRIMG]", "[DIRALR]", "[DIRSND]",
                            "[DIRFND]", "[PLUGIN]", "[EFESND]", "[RESJPG]"};
  QByteArray out;
  for (int i = 0; i < 8; ++i)
    out += QByteArray(sections[i]) + "\r\n" + (i < values.size() ? values[i].toUtf8() : QByteArray()) + "\r\n";
  return out;
}

TEST(ConfiguracionIni, FieldRules) {
  struct Case {
    const char* name;
    QByteArray file;
    QString tag, images, plugin;
    int repeat, quality;
  } cases[] = {
      {"plain", Ini({"CASA", "/fotos", "", "", "", "vlc --x", "9", "80"}), "CASA", "/fotos", "vlc --x", 9, 80},
      {"utf-8 mark", "\xEF\xBB\xBF" + Ini({"CASA", "/fotos"}), "CASA", "/fotos", "", 0, 0},
      {"tabs and blanks", Ini({"\t CASA \t"}), "CASA", "", "", 0, 0},
      {"quoted comma", Ini({"A", "\"/a,b\""}), "A", "/a,b", "", 0, 0},
      {"unquoted comma shifts later values", Ini({"A", "/a,b", "", "", "", "", "5", "60"}), "A", "/a", "[PLUGIN]", 0,
       0},
      {"negative made positive", Ini({"A", "", "", "", "", "", "-3", "-50"}), "A", "", "", 3, 50},
      {"halves to even", Ini({"A", "", "", "", "", "", "2.5", "74.5"}), "A", "", "", 2, 74},
      {"beyond a byte", Ini({"A", "", "", "", "", "", "256", "300"}), "A", "", "", 0, 0},
      {"beyond any integer", Ini({"A", "", "", "", "", "", "-1e30", "1e30"}), "A", "", "", 0, 0},
      {"text without a number", Ini({"A", "", "", "", "", "", "muchos", "alta"}), "A", "", "", 0, 0},
      {"cp1252 file", "[TAGCAM]\r\nC\xE1mara\r\n", QString::fromUtf8("Cámara"), "", "", 0, 0},
      {"truncated file keeps defaults", "[TAGCAM]\r\nX\r\n[DIRIMG]", "X", "", "", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Configuracion base;
    const Configuracion got = LeerValoresIni(c.file, base);
    EXPECT_EQ(got.EtiquetaCamara, c.tag);
    EXPECT_EQ(got.CarpetaImagenes, c.images);
    EXPECT_EQ(got.Plugin, c.plugin);
    EXPECT_EQ(got.RepeticionEfecto, c.repeat);
    EXPECT_EQ(got.CalidadJpeg, c.quality);
  }
}

TEST(ConfiguracionIni, OptionalPairsAfterTheSixteenLines) {
  const QByteArray file = Ini({"A", "", "", "", "", "", "5", "60"}) +
                          "[LUZ]\r\n 55 \r\n\r\n[SRVSMTP]\r\nsmtp://h:25\r\n[VIGIA]\r\n1e30\r\n[SUELTO]";
  const Configuracion got = LeerValoresIni(file, {});
  EXPECT_EQ(got.CalidadJpeg, 60);
  EXPECT_EQ(got.Opcionales.Valor("LUZ"), "55");
  EXPECT_EQ(got.Opcionales.Entero("LUZ", 0, 100), 55);
  EXPECT_EQ(got.Opcionales.Entero("LUZ", 0, 50), std::nullopt);
  EXPECT_EQ(got.Opcionales.Valor("SRVSMTP"), "smtp://h:25");
  EXPECT_EQ(got.Opcionales.Entero("VIGIA", 0, 86400), std::nullopt);
  EXPECT_EQ(got.Opcionales.Valor("SUELTO"), std::nullopt);
  EXPECT_EQ(got.Opcionales.Valor("TAGCAM"), std::nullopt);  // the positional lines are not pairs

  // Pairs are read by line, so a value that looks like a section does not shift them.
  const Configuracion shifted = LeerValoresIni(Ini({}) + "[A]\r\n[B]\r\n[C]\r\nc\r\n", {});
  EXPECT_EQ(shifted.Opcionales.Valor("A"), "[B]");
  EXPECT_EQ(shifted.Opcionales.Valor("C"), "c");
}

class ConfigFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    root = dir.path();
    QDir().mkpath(root + "/Recursos");
    programa.Carpeta = root;
  }
  QString ini() const { return root + "/Recursos/Miravela.INI"; }
  QTemporaryDir dir;
  QString root;
  ProgramFolder programa;
};

TEST_F(ConfigFolders, MissingIniIsWrittenWithDefaultsAndFoldersSettled) {
  const Configuracion c = CargarConfiguracion(programa);
  EXPECT_EQ(test::ReadAll(ini()),
            "[TAGCAM]\r\nC1\r\n[DIRIMG]\r\n\r\n[DIRALR]\r\n\r\n[DIRSND]\r\n\r\n[DIRFND]\r\n\r\n"
            "[PLUGIN]\r\n\r\n[EFESND]\r\n7\r\n[RESJPG]\r\n75\r\n");
  EXPECT_EQ(c.EtiquetaCamara, "C1");
  EXPECT_EQ(c.RepeticionEfecto, 7);
  EXPECT_EQ(c.CalidadJpeg, 75);
  // The images folder needs its parent: it is created by start-up before the INI is read.
  EXPECT_EQ(c.CarpetaImagenes, root + QString::fromUtf8("/Imágenes/C1"));
  EXPECT_EQ(c.CarpetaSonidos, root + "/Sonidos");
  EXPECT_TRUE(ExisteCarpeta(c.CarpetaSonidos));
  EXPECT_EQ(c.CarpetaVoz, root + "/OLMiX");
}

TEST_F(ConfigFolders, QualityAndRepeatRules) {
  struct {
    const char* repeat;
    const char* quality;
    int wantRepeat, wantQuality;
  } cases[] = {{"0", "0", 7, 75}, {"7", "150", 7, 100}, {"7", "-50", 7, 50}, {"7", "300", 7, 75}, {"", "", 7, 75}};
  for (const auto& c : cases) {
    test::WriteAll(ini(), Ini({"C1", "", "", "", "", "", c.repeat, c.quality}));
    const Configuracion got = CargarConfiguracion(programa);
    EXPECT_EQ(got.RepeticionEfecto, c.wantRepeat) << c.repeat;
    EXPECT_EQ(got.CalidadJpeg, c.wantQuality) << c.quality;
  }
}

TEST_F(ConfigFolders, MissingConfiguredSoundsFolderFallsBackAndTheIniKeepsIt) {
  const QByteArray file = Ini({"C1", "", "", "/no/such/folder", "", "", "7", "75"});
  test::WriteAll(ini(), file);
  const Configuracion c = CargarConfiguracion(programa);
  EXPECT_EQ(c.CarpetaSonidos, root + "/Sonidos");
  EXPECT_FALSE(ExisteCarpeta("/no/such/folder"));
  EXPECT_EQ(test::ReadAll(ini()), file);
}

TEST_F(ConfigFolders, ConfiguredImagesFolderIsCreated) {
  test::WriteAll(ini(), Ini({"C1", root + "/nube"}));
  EXPECT_EQ(CargarConfiguracion(programa).CarpetaImagenes, root + "/nube");
  EXPECT_TRUE(ExisteCarpeta(root + "/nube"));
}

TEST_F(ConfigFolders, CopyUsesTheMainProgramsFolders) {
  QDir().mkpath(root + QString::fromUtf8("/Imágenes"));
  QDir().mkpath(root + "/Objetos/C3/Recursos");
  ProgramFolder copy{"3", root + "/Objetos/C3"};
  EXPECT_EQ(copy.CarpetaPrincipal(), root + "/");
  const Configuracion c = CargarConfiguracion(copy);
  EXPECT_EQ(c.EtiquetaCamara, "C3");
  EXPECT_EQ(c.CarpetaImagenes, root + QString::fromUtf8("/Imágenes/C3"));
  EXPECT_EQ(c.CarpetaAlarmas, root + "/Alarmas");
  EXPECT_EQ(c.CarpetaVoz, root + "/OLMiX");

  ProgramFolder stray{"3", root + "/otra"};
  EXPECT_EQ(stray.CarpetaPrincipal(), "");
}

TEST_F(ConfigFolders, ChosenImagesFolderRewritesOnlyItsLine) {
  Configuracion c = CargarConfiguracion(programa);
  QDir().mkpath(root + "/drive");
  ASSERT_TRUE(GuardarCarpetaImagenes(programa, c, root + "/drive/"));
  EXPECT_EQ(c.CarpetaImagenes, root + "/drive");
  EXPECT_EQ(test::ReadAll(ini()), Ini({"C1", root + "/drive", "", "", "", "", "7", "75"}));

  EXPECT_FALSE(GuardarCarpetaImagenes(programa, c, ""));
  EXPECT_FALSE(GuardarCarpetaImagenes(programa, c, "::{20D04FE0}"));
  EXPECT_EQ(c.CarpetaImagenes, root + "/drive");
}

TEST_F(ConfigFolders, ChosenImagesFolderKeepsEveryOtherValueAndPair) {
  const QString drive = root + "/drive";
  const QString coma = root + "/a,b";
  QDir().mkpath(drive);
  QDir().mkpath(coma);
  const QByteArray pares = "[LUZ]\r\n55\r\n[DIRALR]\r\n/x\r\n";
  const struct {
    const char* name;
    QByteArray file;
    QString ruta;
    QString tag, alarms, sounds;
  } cases[] = {
      {"a value that names a section", Ini({"[DIRIMG]", "/old", "[DIRALR]", "/s", "", "", "3", "60"}) + pares, drive,
       "[DIRIMG]", "[DIRALR]", "/s"},
      {"a folder with a comma", Ini({"C1", "/old", "/a", "/s", "", "", "3", "60"}) + pares, coma, "C1", "/a", "/s"},
      {"bare line feeds", Ini({"C1", "/old", "/a", "/s", "", "", "3", "60"}).replace("\r\n", "\n") + pares, drive, "C1",
       "/a", "/s"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteAll(ini(), c.file);
    Configuracion config;
    ASSERT_TRUE(GuardarCarpetaImagenes(programa, config, c.ruta));
    const Configuracion got = LeerValoresIni(test::ReadAll(ini()), {});
    EXPECT_EQ(got.CarpetaImagenes, c.ruta);
    EXPECT_EQ(got.EtiquetaCamara, c.tag);
    EXPECT_EQ(got.CarpetaAlarmas, c.alarms);
    EXPECT_EQ(got.CarpetaSonidos, c.sounds);
    EXPECT_EQ(got.RepeticionEfecto, 3);
    EXPECT_EQ(got.CalidadJpeg, 60);
    EXPECT_EQ(got.Opcionales.Valor("LUZ"), "55");
    EXPECT_EQ(got.Opcionales.Valor("DIRALR"), "/x");
    EXPECT_EQ(QDir(root + "/Recursos").entryList(QDir::Files), QStringList{"Miravela.INI"}) << "no temporary left";
  }
  Configuracion config;
  EXPECT_FALSE(GuardarCarpetaImagenes(programa, config, root + "/a,\"b"));
  EXPECT_FALSE(GuardarCarpetaImagenes(programa, config, root + "/dos\nlineas"));
  EXPECT_FALSE(ExisteCarpeta(root + "/dos\nlineas"));
}

TEST_F(ConfigFolders, HandEditedIniWithoutTheSectionsLosesNoLine) {
  QDir().mkpath(root + "/drive");
  Configuracion c;
  test::WriteAll(ini(), "[TAGCAM]\r\nTIENDA\r\n[DIRSND]\r\n/s\r\n");
  ASSERT_TRUE(GuardarCarpetaImagenes(programa, c, root + "/drive"));
  const QByteArray written = test::ReadAll(ini());
  EXPECT_EQ(written, "[TAGCAM]\r\nTIENDA\r\n[DIRIMG]\r\n" + (root + "/drive").toUtf8() + "\r\n[DIRSND]\r\n/s\r\n");
  EXPECT_EQ(LeerValoresIni(written, {}).CarpetaImagenes, root + "/drive");

  test::WriteAll(ini(), "[TAGCAM]\r\nTIENDA\r\n[DIRIMG]\r\n/viejo\r\n[EFESND]\r\n3\r\n");
  ASSERT_TRUE(GuardarCarpetaImagenes(programa, c, root + "/drive"));
  EXPECT_EQ(test::ReadAll(ini()),
            "[TAGCAM]\r\nTIENDA\r\n[DIRIMG]\r\n" + (root + "/drive").toUtf8() + "\r\n[EFESND]\r\n3\r\n");
}

}  // namespace
}  // namespace miravela
