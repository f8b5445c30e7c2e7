#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/form1.h"
#include "base/fake_clock.h"
#include "base/folders.h"
#include "base/registro_ajustes.h"
#include "support/fakes.h"

namespace miravela {
namespace {

class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    root = dir.path() + "/Miravela";
    QDir().mkpath(root);
    QDir().mkpath(dir.path() + "/Escritorio");
    fakes.desktop.path = dir.path() + "/Escritorio";
  }

  std::unique_ptr<Form1> Make(const QString& slot = "1", const QString& folder = {}) {
    ProgramFolder programa{slot, folder.isEmpty() ? root : folder};
    auto form = std::make_unique<Form1>(Form1Deps{.clock = clock,
                                                  .services = fakes.services(),
                                                  .programa = programa,
                                                  .ejecutable = "/opt/mira vela/Miravela",
                                                  .capturaDisponible = [this] { return captureOk; },
                                                  .camara = camera,
                                                  .pantalla = grabber});
    form->Width = 600 * 15;
    form->Height = 400 * 15;
    form->OnPaso = [this](const QString& paso) { pasos << paso; };
    return form;
  }

  QTemporaryDir dir;
  QString root;
  FakeClock clock;
  test::FakeServices fakes;
  bool captureOk = true;
  test::FakeCamera camera;
  test::FakeScreen grabber;
  QStringList pasos;
};

TEST_F(StartUp, FirstRunCreatesFoldersReadMeLauncherAndRuns) {
  auto form = Make();
  form->Form_Load();
  EXPECT_EQ(form->EstadoInicio, kEstadoEnMarcha);
  EXPECT_EQ(form->Caption, "Miravela 11.23");
  for (const char* folder : {"Imágenes", "Imágenes/C1", "Recursos", "OLMiX", "Alarmas", "Fondos", "Objetos",
                             "Objetos/C2", "Objetos/C3", "Objetos/C4", "Sonidos"})
    EXPECT_TRUE(ExisteCarpeta(root + "/" + QString::fromUtf8(folder))) << folder;

  const QStringList leame =
      QString::fromUtf8(test::ReadAll(root + QString::fromUtf8("/Miravela Léame.TXT"))).split("\r\n");
  ASSERT_EQ(leame.size(), 63);  // 62 lines, each ended by CR LF
  EXPECT_EQ(leame[0], "Miravela 11.23");
  EXPECT_EQ(leame[10], "ACERCA DE MIRAVELA");
  EXPECT_EQ(leame[12],
            QString::fromUtf8("Miravela es un programa gratuito que permite convertir una cámara Web en una "));
  EXPECT_EQ(leame[24], QString::fromUtf8(" Tecla \"F1\" : Abrir Documento de Ayuda"));
  EXPECT_EQ(leame[50], QString::fromUtf8("     Shift + \"P\" : Ejecutar Plugin"));
  EXPECT_EQ(leame[55], "COMENTARIOS");
  EXPECT_EQ(leame[60], QString::fromUtf8("Eso es todo, gracias."));

  const QString launcher = fakes.desktop.path + "/Miravela.desktop";
  const QString entry = QString::fromUtf8(test::ReadAll(launcher));
  EXPECT_TRUE(entry.contains("Exec=\"/opt/mira vela/Miravela\"\n"));
  EXPECT_TRUE(entry.contains("Path=" + root + "\n"));
  EXPECT_TRUE(Existe(root + "/Recursos/Miravela.ico"));
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].title, "Miravela - BIENVENIDO");
  EXPECT_TRUE(fakes.messages.shown[0].text.contains("carpeta '" + root + "'.\r\n\r\nPara desinstalar"));

  EXPECT_EQ(pasos, QStringList({"ComprobarInstancia", "ComprobarCaptura", "CrearCarpetas", "CargarConfiguracion",
                                "CargarCamaras", "CargarPosicion", "CargarFondo", "CrearLeame", "CrearAccesoDirecto",
                                "CargarSensores", "CargarVisionNocturna", "CargarAlarmas", "CargarEfectosSonido"}));
  EXPECT_GE(fakes.window.topmost, 1);
}

TEST_F(StartUp, SecondRunShowsNoMessageAndKeepsFiles) {
  Make()->Form_Load();
  fakes.messages.shown.clear();
  QFile::remove(root + "/Recursos/Miravela.ico");
  auto again = Make();
  again->Form_Load();
  EXPECT_EQ(again->EstadoInicio, kEstadoEnMarcha);
  EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(StartUp, SecondInstanceEndsSilentlyUnlessMarkerExists) {
  fakes.lock.free = false;
  auto blocked = Make();
  blocked->Form_Load();
  EXPECT_EQ(blocked->EstadoInicio, kEstadoAbandonado);
  EXPECT_TRUE(blocked->Terminado);
  EXPECT_EQ(fakes.window.closes, 1);
  EXPECT_TRUE(fakes.messages.shown.empty());
  EXPECT_FALSE(ExisteCarpeta(root + "/Recursos"));
  // It gave up with default settings: it must not write them over the running instance's.
  EXPECT_FALSE(blocked->Form_QueryUnload());
  blocked->Form_Unload();
  EXPECT_FALSE(Existe(root + "/Recursos/Miravela.PWC"));

  QDir().mkpath(root + "/Recursos");
  test::WriteAll(root + "/Recursos/Miravela.RLD", "");
  auto allowed = Make();
  allowed->Form_Load();
  EXPECT_EQ(allowed->EstadoInicio, kEstadoEnMarcha);
}

TEST_F(StartUp, MissingCaptureBackEndEndsSilently) {
  captureOk = false;
  auto form = Make();
  form->Form_Load();
  EXPECT_EQ(form->EstadoInicio, kEstadoAbandonado);
  EXPECT_TRUE(fakes.messages.shown.empty());
}

TEST_F(StartUp, WriteProtectedFolderShowsTheMessageAndEnds) {
  // A folder in the read-me's place cannot be opened for writing, even by root.
  QDir().mkpath(root + QString::fromUtf8("/Miravela Léame.TXT"));
  auto form = Make();
  form->Form_Load();
  EXPECT_EQ(form->EstadoInicio, kEstadoAbandonado);
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  EXPECT_EQ(fakes.messages.shown[0].title, "Miravela - Imposible Continuar");
  EXPECT_EQ(fakes.messages.shown[0].text,
            QString::fromUtf8("La carpeta '") + root + QString::fromUtf8("' está protegida contra escritura."));
}

TEST_F(StartUp, WindowPositionRestoredOnlyWhenOnTheScreen) {
  struct {
    int left, top;
    bool restored;
  } cases[] = {{1500, 900, true},           {0, 0, true},
               {-15, 300, false},           {300, -1, false},
               {1920 * 15 + 1, 0, false},   {0, 1080 * 15 + 1, false},
               {1920 * 15, 1080 * 15, true}};
  for (const auto& c : cases) {
    QDir().mkpath(root + "/Recursos");
    RegistroAjustes r;
    r.Campo5 = c.left;
    r.Campo6 = c.top;
    ASSERT_TRUE(EscribirRegistros(root + "/Recursos/Miravela.PWC", {r}));
    auto form = Make();
    form->CargarPosicion();
    if (c.restored) {
      EXPECT_EQ(form->Left, c.left);
      EXPECT_EQ(form->Top, c.top);
    } else {
      EXPECT_EQ(form->Left, (1920 * 15 - 600 * 15) / 2) << c.left << "," << c.top;
      EXPECT_EQ(form->Top, (1080 * 15 - 400 * 15) / 2);
    }
  }
}

TEST_F(StartUp, CopyTakesItsFoldersAndButtonFromTheMainProgram) {
  Make()->Form_Load();
  const QString copyFolder = root + "/Objetos/C3";
  auto copy = Make("3", copyFolder);
  copy->Form_Load();
  EXPECT_EQ(copy->EstadoInicio, kEstadoEnMarcha);
  EXPECT_EQ(copy->Caption, "Miravela 11.23  (C3)");
  EXPECT_EQ(copy->config.CarpetaImagenes, root + QString::fromUtf8("/Imágenes/C3"));
  EXPECT_FALSE(ExisteCarpeta(copyFolder + "/OLMiX"));
  EXPECT_FALSE(pasos.contains("CrearAccesoDirecto") && pasos.count("CrearAccesoDirecto") > 1);
  const Control& own = copy->Botones.PctBoton[10];
  EXPECT_TRUE(own.Visible);
  EXPECT_FALSE(own.Enabled);
  EXPECT_EQ(own.BackColor, Rgb(128, 255, 128));
}

TEST_F(StartUp, MainProgramShowsButtonsOfInstalledCopies) {
  QDir().mkpath(root + "/Objetos/C4");
  test::WriteAll(root + "/Objetos/C4/Miravela", "binary");
  auto form = Make();
  form->Form_Load();
  const auto& b = form->Botones.PctBoton;
  EXPECT_TRUE(b[8].Visible);
  EXPECT_FALSE(b[9].Visible);
  EXPECT_FALSE(b[10].Visible);
  EXPECT_TRUE(b[11].Visible);
}

// A sensors file from a user who had everything on: each switch is restored through
// the real window, and a feature the window does not offer yet is passed over.
TEST_F(StartUp, SensorsFileWithEverySwitchOnStartsAndCloses) {
  auto on = ValorEtiquetado::Entero(1);
  RegistroAjustes r1, r2, r3;
  r1.Campo1 = on;    // camera connected
  r1.Campo2 = on;    // scheduler
  r1.Campo3 = true;  // alarm armed
  r1.Campo4 = 500;
  r2.Campo1 = on;    // reduced window
  r2.Campo2 = on;    // zone
  r2.Campo3 = true;  // screen capturer
  r2.Campo5 = 1;
  r2.Campo6 = 3;
  r3.Campo1 = on;  // reverse tracking alarm
  r3.Campo2 = on;  // tracking
  r3.Campo5 = 1;   // e-mail alerts
  r3.Campo6 = 1;   // auto-adjust
  QDir().mkpath(root + "/Recursos");
  ASSERT_TRUE(EscribirRegistros(root + "/Recursos/Miravela.SNR", {r1, r2, r3}));

  auto form = Make();
  ASSERT_NO_THROW(form->Form_Load());
  EXPECT_EQ(form->EstadoInicio, kEstadoEnMarcha);
  EXPECT_FALSE(form->Terminado);
  EXPECT_TRUE(form->AlarmaArmada());
  EXPECT_TRUE(form->Botones.Pulsado(kBotonZona));
  EXPECT_TRUE(form->sensores().escaner.Activo());

  fakes.messages.answers = {RespuestaMensaje::Si};
  ASSERT_FALSE(form->Form_QueryUnload());
  ASSERT_NO_THROW(form->Form_Unload());
  EXPECT_TRUE(LeerRegistros(root + "/Recursos/Miravela.SNR", 3).has_value());
}

class ShutDown : public StartUp {};

TEST_F(ShutDown, MainProgramAsksAndNoKeepsItRunning) {
  auto form = Make();
  form->Form_Load();
  form->TmrReloj.SetEnabled(true);
  fakes.messages.shown.clear();
  fakes.messages.answers = {RespuestaMensaje::No};
  EXPECT_TRUE(form->Form_QueryUnload());
  ASSERT_EQ(fakes.messages.shown.size(), 1u);
  const auto& q = fakes.messages.shown[0];
  EXPECT_EQ(q.text, QString::fromUtf8("¿Desea realmente salir del programa?"));
  EXPECT_EQ(q.title, QString::fromUtf8("Miravela - Cerrar Aplicación"));
  EXPECT_EQ(q.buttons, BotonesMensaje::SiNo);
  EXPECT_EQ(q.defaultButton, RespuestaMensaje::No);
  EXPECT_EQ(form->EstadoInicio, kEstadoEnMarcha);
  EXPECT_TRUE(form->TmrReloj.Enabled());

  fakes.messages.answers = {RespuestaMensaje::Si};
  EXPECT_FALSE(form->Form_QueryUnload());
  EXPECT_EQ(form->EstadoInicio, kEstadoCerrando);
}

TEST_F(ShutDown, CopyClosesWithoutAsking) {
  Make()->Form_Load();
  auto copy = Make("2", root + "/Objetos/C2");
  copy->Form_Load();
  fakes.messages.shown.clear();
  EXPECT_FALSE(copy->Form_QueryUnload());
  EXPECT_TRUE(fakes.messages.shown.empty());
  EXPECT_EQ(copy->EstadoInicio, kEstadoEnMarcha);
}

TEST_F(ShutDown, WritesSettingsInOrderAndRemovesTheTemporaryBitmap) {
  auto form = Make();
  form->Form_Load();
  form->TmrReloj.SetEnabled(true);
  form->TmrEfectoSonido.SetEnabled(true);
  form->Left = 4815;
  form->Top = 30;
  test::WriteAll(root + "/Recursos/PICTMP.bmp", "BM");
  QFile::setPermissions(root + "/Recursos/PICTMP.bmp", QFileDevice::ReadOwner);
  pasos.clear();
  fakes.messages.answers = {RespuestaMensaje::Si};
  ASSERT_FALSE(form->Form_QueryUnload());
  form->Form_Unload();

  EXPECT_EQ(pasos,
            QStringList({"ApagarEscaner", "DetenerTemporizadores", "CerrarMedios", "GuardarPosicion", "GuardarCamara",
                         "GuardarSensores", "GuardarVisionNocturna", "GuardarAlarma", "GuardarEfectosSonido",
                         "GuardarZona", "GuardarAlarmasZona", "DesconectarCamara", "EliminarTemporal"}));
  EXPECT_FALSE(form->TmrReloj.Enabled());
  EXPECT_FALSE(form->TmrEfectoSonido.Enabled());
  EXPECT_FALSE(Existe(root + "/Recursos/PICTMP.bmp"));
  const auto pwc = LeerRegistros(root + "/Recursos/Miravela.PWC", 1);
  ASSERT_TRUE(pwc.has_value());
  EXPECT_EQ(pwc->front().Campo5, 4815);
  EXPECT_EQ(pwc->front().Campo6, 30);
  EXPECT_EQ(test::ReadAll(root + "/Recursos/Miravela.PWC").size(), 46);
}

TEST_F(ShutDown, SchedulerWithNoDaysKeptDeletesOnlyTheProgramsPhotographs) {
  auto form = Make();
  form->Form_Load();
  form->Subsistemas.ProgramadorActivo = [] { return true; };
  form->Subsistemas.DiasGuardar = [] { return 0; };
  const QString images = form->config.CarpetaImagenes;
  QDir().mkpath(images + "/2026-12-09");
  QDir().mkpath(images + "/2026-12-10");
  QDir().mkpath(images + "/vacaciones");
  test::WriteAll(images + "/2026-12-09/2026-12-09 (101500) 1.jpg", "jpeg");
  test::WriteAll(images + "/2026-12-10/2026-12-10 (080000) 12.jpg", "jpeg");
  test::WriteAll(images + "/2026-12-10/notas.txt", "mine");
  test::WriteAll(images + "/vacaciones/playa.jpg", "mine");
  test::WriteAll(images + "/lista.txt", "mine");

  fakes.messages.answers = {RespuestaMensaje::Si};
  ASSERT_FALSE(form->Form_QueryUnload());
  form->Form_Unload();

  EXPECT_TRUE(pasos.contains("EliminarImagenes"));
  EXPECT_FALSE(ExisteCarpeta(images + "/2026-12-09"));
  EXPECT_FALSE(Existe(images + "/2026-12-10/2026-12-10 (080000) 12.jpg"));
  EXPECT_TRUE(Existe(images + "/2026-12-10/notas.txt"));
  EXPECT_TRUE(Existe(images + "/vacaciones/playa.jpg"));
  EXPECT_TRUE(Existe(images + "/lista.txt"));
}

TEST_F(ShutDown, CopyNeverDeletesImages) {
  Make()->Form_Load();
  auto copy = Make("2", root + "/Objetos/C2");
  copy->Form_Load();
  copy->Subsistemas.ProgramadorActivo = [] { return true; };
  QDir().mkpath(copy->config.CarpetaImagenes + "/2026-12-09");
  ASSERT_FALSE(copy->Form_QueryUnload());
  copy->Form_Unload();
  EXPECT_TRUE(ExisteCarpeta(copy->config.CarpetaImagenes + "/2026-12-09"));
}

}  // namespace
}  // namespace miravela

namespace miravela {
namespace {

class BarCommands : public StartUp {};

TEST_F(BarCommands, AlarmArmingSwapsButtonsThreeAndFour) {
  auto form = Make();
  form->Form_Load();
  EXPECT_FALSE(form->AlarmaArmada());
  form->Botones.PctBoton_Click(3);
  EXPECT_TRUE(form->AlarmaArmada());
  EXPECT_FALSE(form->Botones.PctBoton[3].Visible);
  form->Botones.PctBoton_Click(4);
  EXPECT_FALSE(form->AlarmaArmada());
}

TEST_F(BarCommands, CompanionCopiesOpenOnlyFromTheMainProgram) {
  auto form = Make();
  form->Form_Load();
  form->Botones.PctBoton_Click(10);
  ASSERT_EQ(fakes.launcher.started.size(), 1u);
  EXPECT_EQ(fakes.launcher.started[0].program, root + "/Objetos/C3/Miravela");
  EXPECT_EQ(fakes.launcher.started[0].workingFolder, root + "/Objetos/C3");

  auto copy = Make("2", root + "/Objetos/C2");
  copy->Form_Load();
  for (int i : {8, 9, 10, 11, 12}) copy->Botones.PctBoton_Click(i);
  EXPECT_EQ(fakes.launcher.started.size(), 1u);
}

TEST_F(BarCommands, CloudFolderBecomesTheImagesFolderAndTheLoopStaysStoppedWhenDisconnected) {
  auto form = Make();
  form->Form_Load();
  QDir().mkpath(dir.path() + "/Drive");
  fakes.folders.answer = dir.path() + "/Drive/";
  form->Botones.PctBoton_Click(13);
  EXPECT_EQ(form->config.CarpetaImagenes, dir.path() + "/Drive");
  EXPECT_TRUE(QString::fromUtf8(test::ReadAll(root + "/Recursos/Miravela.INI")).contains(dir.path() + "/Drive\r\n"));
  EXPECT_FALSE(form->Botones.Pulsado(13));
  EXPECT_FALSE(form->TmrReloj.Enabled());
  EXPECT_TRUE(form->pictures.Picture3.Visible);

  form->Botones.PctBoton_Click(1);
  EXPECT_EQ(fakes.launcher.opened, QStringList{dir.path() + "/Drive"});
  EXPECT_EQ(fakes.window.minimized, 1);
}

}  // namespace
}  // namespace miravela
