#include "panel/atajos_teclado.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "support/fakes.h"

namespace miravela {
namespace {

TEST(Shortcuts, TableWithExactModifierMasks) {
  struct Case {
    int key, mask;
    AccionTecla expected;
  };
  const Case cases[] = {
      {kTeclaF1, 0, {Atajo::AbrirLeame}},
      {kTeclaF1 + 1, 0, {Atajo::PulsarBoton, 9}},
      {kTeclaF1 + 3, 0, {Atajo::PulsarBoton, 11}},
      {kTeclaF1 + 4, 0, {}},  // F5 .. F8 are free
      {kTeclaF1 + 8, 0, {Atajo::ConectarCamara}},
      {kTeclaF1 + 8, kShift + kCtrl, {Atajo::ConectarCamara}},  // function keys ignore modifiers
      {kTeclaF1 + 9, kAlt, {Atajo::PulsarBoton, 1}},
      {kTeclaF1 + 10, 0, {Atajo::PulsarBoton, 2}},
      {kTeclaF12, kShift, {Atajo::AlternarAlarma}},
      {'A', kShift, {Atajo::Autoajuste}},
      {'A', kShift + kCtrl, {}},
      {'A', 0, {}},
      {'S', kShift, {Atajo::Suspender}},
      {'S', kShift + kAlt, {}},
      {'R', kShift, {Atajo::TamanoVentana}},
      {'I', kShift, {Atajo::PulsarBoton, 1}},
      {'P', kShift, {Atajo::Plugin}},
      {'Q', kShift, {}},
      {'C', kCtrl + kAlt, {Atajo::AbrirConfiguracion}},
      {'C', kCtrl + kAlt + kShift, {}},
      {'C', kShift, {}},
      {'1', kShift, {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(BuscarAtajo(c.key, c.mask), c.expected) << "key " << c.key << " mask " << c.mask;
}

// The keyboard over a bar whose buttons record their clicks, and real folders.
class Keys : public ::testing::Test {
 protected:
  Keys() {
    images = dir.path() + "/img";
    QDir().mkpath(images);
    for (int i = 0; i < ButtonBar::kBotones; ++i) bar.SetAction(i, [this, i] { clicks.push_back(i); });
    bar.SetAction(3, [this] {
      clicks.push_back(3);
      bar.PctBoton[3].Visible = false;
      bar.PctBoton[4].Visible = true;
    });
    bar.SetAction(4, [this] {
      clicks.push_back(4);
      bar.PctBoton[3].Visible = true;
      bar.PctBoton[4].Visible = false;
    });
    atajos = std::make_unique<AtajosTeclado>(EntornoAtajos{.botones = bar,
                                                           .services = fakes.services(),
                                                           .autoajuste = [this] { ++autoAdjust; },
                                                           .carpetaImagenes = [this] { return images; },
                                                           .carpetaDia = [this] { return day; },
                                                           .ultimaFoto = [this] { return last; },
                                                           .carpetaAlarmas = [this] { return images + "/al"; },
                                                           .plugin = [this] { return plugin; },
                                                           .carpetaPrograma = dir.path(),
                                                           .leame = dir.path() + "/Leame.TXT",
                                                           .configuracion = dir.path() + "/Recursos/Miravela.INI"});
  }
  QTemporaryDir dir;
  QString images, day, last, plugin;
  ButtonBar bar;
  test::FakeServices fakes;
  std::vector<int> clicks;
  int autoAdjust = 0;
  std::unique_ptr<AtajosTeclado> atajos;
};

TEST_F(Keys, ButtonsPressedLikeClicks) {
  atajos->Form_KeyDown('A', kShift + kCtrl);
  EXPECT_EQ(autoAdjust, 0);
  atajos->Form_KeyDown('A', kShift);
  EXPECT_EQ(autoAdjust, 1);

  bar.PctBoton[0].Enabled = false;
  atajos->Form_KeyDown(kTeclaF1 + 8, 0);
  EXPECT_TRUE(clicks.empty()) << "F9 with button 0 disabled does nothing";
  bar.PctBoton[0].Enabled = true;
  atajos->Form_KeyDown(kTeclaF1 + 8, 0);

  atajos->Form_KeyDown(kTeclaF12, 0);
  EXPECT_TRUE(bar.PctBoton[4].Visible) << "armed";
  atajos->Form_KeyDown(kTeclaF12, 0);
  EXPECT_TRUE(bar.PctBoton[3].Visible) << "disarmed again";
  atajos->Form_KeyDown(kTeclaF1 + 2, 0);
  EXPECT_EQ(clicks, std::vector<int>({0, 3, 4, 10}));
}

TEST_F(Keys, FoldersAndFilesOpenMinimisedAsOneArgument) {
  struct Case {
    int key, mask;
    QString opened;
  };
  const Case cases[] = {{'L', kShift, images + "/al"},
                        {kTeclaF1, kShift, dir.path() + "/Leame.TXT"},
                        {'C', kCtrl + kAlt, dir.path() + "/Recursos/Miravela.INI"}};
  int n = 0;
  for (const Case& c : cases) {
    atajos->Form_KeyDown(c.key, c.mask);
    ++n;
    ASSERT_EQ(fakes.launcher.opened.size(), n);
    EXPECT_EQ(fakes.launcher.opened.back(), c.opened);
    EXPECT_EQ(fakes.window.minimized, n);
  }
  EXPECT_TRUE(fakes.launcher.started.empty()) << "no shell, no program line";
}

TEST_F(Keys, DayFolderAndLastPhotographBeepWhenThereIsNothing) {
  atajos->Form_KeyDown('D', kShift);  // no photograph yet: no day folder
  atajos->Form_KeyDown('U', kShift);
  EXPECT_EQ(clicks, std::vector<int>({1, 1})) << "the images folder opens instead";
  EXPECT_EQ(fakes.beeper.beeps, 2);
  EXPECT_TRUE(fakes.launcher.opened.isEmpty());

  day = "2026-12-10";
  last = images + "/2026-12-10/2026-12-10 (120000) 1.jpg";
  atajos->Form_KeyDown('D', kShift);  // named but not there
  atajos->Form_KeyDown('U', kShift);
  EXPECT_EQ(fakes.beeper.beeps, 4);

  QDir().mkpath(images + "/" + day);
  test::WriteAll(last, "jpeg");
  atajos->Form_KeyDown('D', kShift);
  atajos->Form_KeyDown('U', kShift);
  EXPECT_EQ(fakes.launcher.opened, QStringList({images + "/" + day, last}));
  EXPECT_EQ(fakes.window.minimized, 1) << "the last photograph opens over the window";
  EXPECT_EQ(fakes.beeper.beeps, 4);
}

TEST_F(Keys, PlugIn) {
  atajos->Form_KeyDown('P', kShift);
  EXPECT_EQ(fakes.beeper.beeps, 1) << "no plug-in configured";

  plugin = dir.path() + "/herramientas/mi plugin; rm -rf ~.sh";
  atajos->Form_KeyDown('P', kShift);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].text, QString::fromUtf8("No se puede encontrar la aplicación \"") + plugin +
                                              QString::fromUtf8("\". La carpeta o el archivo ya no existen."));
  EXPECT_EQ(fakes.messages.shown[0].title, "Miravela - Imposible Ejecutar");
  EXPECT_EQ(fakes.messages.shown[0].icon, IconoMensaje::Exclamacion);
  EXPECT_EQ(fakes.window.minimized, 0);

  QDir().mkpath(dir.path() + "/herramientas");
  test::WriteAll(plugin, "#!/bin/sh\n");
  QFile::setPermissions(plugin, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  atajos->Form_KeyDown('P', kShift);
  ASSERT_EQ(fakes.launcher.started.size(), 1u);
  EXPECT_EQ(fakes.launcher.started[0].program, plugin);
  EXPECT_TRUE(fakes.launcher.started[0].arguments.isEmpty());
  EXPECT_EQ(fakes.launcher.started[0].workingFolder, dir.path() + "/herramientas");
  EXPECT_EQ(fakes.window.minimized, 1);

  // Without a folder part the name is the program folder's.
  plugin = "notas.txt";
  atajos->Form_KeyDown('P', kShift);
  EXPECT_EQ(fakes.messages.shown.size(), 2u);
  test::WriteAll(dir.path() + "/notas.txt", "hola");
  atajos->Form_KeyDown('P', kShift);
  EXPECT_EQ(fakes.launcher.opened, QStringList({dir.path() + "/notas.txt"})) << "a document opens in its application";
}

}  // namespace
}  // namespace miravela
