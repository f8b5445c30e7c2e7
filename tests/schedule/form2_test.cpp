#include "schedule/form2.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "base/fake_clock.h"
#include "base/folders.h"
#include "schedule/programador_tareas.h"
#include "schedule/schedule_rig.h"
#include "support/fakes.h"

namespace miravela {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class Dialog : public ::testing::Test {
 protected:
  Form2 Open(const Programacion& p) {
    return Form2(
        p, [this](const QString& text) { help = text; }, beeper);
  }
  test::FakeBeeper beeper;
  QString help;
};

TEST_F(Dialog, OpensFilledFromTheSchedule) {
  Programacion p;
  p.HoraEncendido = {"06:45", "07:00", "19:30"};
  p.HoraApagado = {"23:15", "22:00", "05:00"};
  p.FuncionActiva = {true, false, true};
  p.DiasGuardar = 30;
  Form2 f = Open(p);
  EXPECT_EQ(f.Caption, "Miravela  -  Programador de Tareas");
  EXPECT_EQ(f.ChkFuncion[0].Caption, QString::fromUtf8("Cámara Web "));
  EXPECT_EQ(f.ChkFuncion[1].Caption, "Escaner ");
  EXPECT_EQ(f.ChkFuncion[2].Caption, "Noche ");
  EXPECT_EQ(f.Aceptar.Caption, "ACEPTAR  ");
  EXPECT_EQ(f.Cancelar.Caption, "CANCELAR  ");
  EXPECT_EQ(f.CboHora[0].List.size(), 24);
  EXPECT_EQ(f.CboHora[1].List.size(), 60);
  EXPECT_EQ(f.CboHora[1].List.front(), "00");
  EXPECT_EQ(f.CboHora[1].List.back(), "59");
  QStringList texts;
  for (const ComboBox& list : f.CboHora) texts << list.Text();
  EXPECT_EQ(texts, QStringList({"06", "45", "23", "15", "07", "00", "22", "00", "19", "30", "05", "00"}));
  EXPECT_EQ(f.TxtStorage.Text, "30");
  EXPECT_EQ(f.TxtStorage.MaxLength, 4);
  EXPECT_EQ((std::array<int, 3>{f.ChkFuncion[0].Value, f.ChkFuncion[1].Value, f.ChkFuncion[2].Value}),
            (std::array<int, 3>{1, 0, 1}));
  // Checked functions show their lists in colour, the others greyed out in orange.
  for (int i = 0; i < 12; ++i) {
    const int k = i / 4;
    const Color expected = k == 1 ? kListaInactiva : i % 4 < 2 ? kListaEncendido : kListaApagado;
    EXPECT_EQ(f.CboHora[i].BackColor, expected) << i;
    EXPECT_EQ(f.CboHora[i].Enabled, k != 1) << i;
  }
}

TEST_F(Dialog, CameraAndScreenCapturerExcludeEachOther) {
  Form2 f = Open(Programacion{});
  f.ChkFuncion[0].Value = 1;
  f.ChkFuncion_Click(0);
  f.ChkFuncion[1].Value = 1;
  f.ChkFuncion_Click(1);
  EXPECT_EQ(f.ChkFuncion[0].Value, 0);
  for (int i = 0; i < 4; ++i) {
    EXPECT_FALSE(f.CboHora[i].Enabled);
    EXPECT_EQ(f.CboHora[i].BackColor, kListaInactiva);
    EXPECT_TRUE(f.CboHora[4 + i].Enabled);
    EXPECT_EQ(f.CboHora[4 + i].BackColor, i < 2 ? kListaEncendido : kListaApagado);
  }
  f.ChkFuncion[2].Value = 1;
  f.ChkFuncion_Click(2);  // night vision goes with either
  EXPECT_EQ(f.ChkFuncion[1].Value, 1);
  f.ChkFuncion[1].Value = 0;
  f.ChkFuncion_Click(1);
  EXPECT_FALSE(f.CboHora[4].Enabled);
  EXPECT_EQ(f.CboHora[7].BackColor, kListaInactiva);
  EXPECT_TRUE(f.CboHora[8].Enabled);
}

TEST_F(Dialog, ListsHintAtTheirTime) {
  Form2 f = Open(Programacion{});
  for (int i = 0; i < 12; ++i) {
    f.CboHora_DropDown(i);
    const bool on = i == 0 || i == 1 || i == 4 || i == 5 || i == 8 || i == 9;
    EXPECT_EQ(help, on ? "Hora de Encendido" : "Hora de Apagado") << i;
  }
}

TEST_F(Dialog, StorageFieldTakesDigitsOnly) {
  Form2 f = Open(Programacion{});
  f.TxtStorage_GotFocus();
  EXPECT_EQ(f.Foco, &f.TxtStorage);
  EXPECT_EQ(f.TxtStorage.SelStart, 0);
  EXPECT_EQ(f.TxtStorage.SelLength, 3);
  struct Case {
    int key, passed, beeps;
  };
  for (const Case& c : {Case{'0', '0', 0}, Case{'9', '9', 0}, Case{8, 8, 0}, Case{' ', ' ', 0}, Case{'a', 0, 1},
                        Case{'-', 0, 1}, Case{27, 0, 1}}) {
    const int before = beeper.beeps;
    EXPECT_EQ(f.TxtStorage_KeyPress(c.key), c.passed) << c.key;
    EXPECT_EQ(beeper.beeps - before, c.beeps) << c.key;
  }
  EXPECT_EQ(f.TxtStorage_KeyPress(13), 0);
  EXPECT_EQ(f.Foco, &f.ChkFuncion[0]);
  EXPECT_EQ(beeper.beeps, 3);
  EXPECT_FALSE(f.TxtStorage_Change("12a"));
  EXPECT_FALSE(f.TxtStorage_Change("12345"));
  EXPECT_TRUE(f.TxtStorage_Change(" 7 "));
  EXPECT_EQ(f.TxtStorage.Text, " 7 ");
}

TEST_F(Dialog, AcceptedValuesComeFromTheFields) {
  Form2 f = Open(Programacion{});
  f.CboHora[0].SetText("05");
  f.CboHora[3].SetText("59");
  f.ChkFuncion[2].Value = 1;
  f.ChkFuncion_Click(2);
  struct Case {
    const char* text;
    std::int32_t days;
  };
  for (const Case& c : {Case{"", 0}, Case{"12 3", 123}, Case{"0", 0}, Case{"9999", 9999}}) {
    f.TxtStorage.Text = c.text;
    EXPECT_EQ(f.Valores().DiasGuardar, c.days) << c.text;
  }
  const Programacion v = f.Valores();
  EXPECT_EQ(v.HoraEncendido[0], "05:00");
  EXPECT_EQ(v.HoraApagado[0], "22:59");
  EXPECT_EQ(v.FuncionActiva, (std::array<bool, 3>{false, false, true}));
  f.Form_KeyPress(27);
  EXPECT_EQ(f.Resultado(), Form2::Cierre::Cancelado);
  f.Aceptar_Click();  // a closed dialog stays closed as it was
  EXPECT_EQ(f.Resultado(), Form2::Cierre::Cancelado);
}

// The scheduler's button and its dialog, with the file they keep.
class SchedulerButton : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString prg = dir.path() + "/Miravela.PRG";
  FakeClock clock;
  ModelTimer tmrMonitor{clock, "TmrMonitor", 1000};
  test::FakeSwitches switches;
  test::FakeSchedulerWindow window;
  test::ScriptedDialog dialog;
  test::FakeBeeper beeper;
  ProgramadorTareas programador{{.clock = clock,
                                 .tmrMonitor = tmrMonitor,
                                 .conmutadores = switches,
                                 .ventana = window,
                                 .dialogo = dialog,
                                 .beeper = beeper,
                                 .archivo = prg}};
};

TEST_F(SchedulerButton, EscapeLeavesTheFileAndReleasesTheButton) {
  Programacion stored;
  stored.FuncionActiva[0] = true;
  ASSERT_TRUE(EscribirProgramacion(prg, stored));
  const QByteArray before = ReadAll(prg);
  dialog.user = [](Form2& f) {
    f.ChkFuncion[0].Value = 0;
    f.ChkFuncion_Click(0);
    f.TxtStorage.Text = "1";
    f.Form_KeyPress(27);
  };
  programador.PctBoton_Click();
  EXPECT_EQ(dialog.shown, 1);
  EXPECT_EQ(ReadAll(prg), before);
  EXPECT_FALSE(window.pressed);
  EXPECT_FALSE(tmrMonitor.Enabled());
  EXPECT_EQ(window.hidden, 1);
  EXPECT_EQ(programador.programacion.DiasGuardar, 365);
}

TEST_F(SchedulerButton, AllBoxesClearedAndAcceptedWritesTheFileAndStartsNoTimer) {
  dialog.user = [](Form2& f) {
    f.TxtStorage.Text = "15";
    f.Aceptar_Click();
  };
  programador.PctBoton_Click();
  EXPECT_TRUE(window.pressed);
  EXPECT_FALSE(tmrMonitor.Enabled());
  ASSERT_EQ(ReadAll(prg).size(), 3 * 46);
  Programacion back;
  LeerProgramacion(prg, back);
  EXPECT_EQ(back.DiasGuardar, 15);
  EXPECT_EQ(back.FuncionActiva, (std::array<bool, 3>{false, false, false}));
  EXPECT_EQ(programador.programacion.DiasGuardar, 15);
}

TEST_F(SchedulerButton, AcceptedWithAFunctionStartsTheTimerAndASecondClickSwitchesOff) {
  dialog.user = [](Form2& f) {
    f.ChkFuncion[1].Value = 1;
    f.ChkFuncion_Click(1);
    f.Aceptar_Click();
  };
  programador.PctBoton_Click();
  EXPECT_TRUE(window.pressed);
  EXPECT_TRUE(tmrMonitor.Enabled());
  programador.PctBoton_Click();
  EXPECT_FALSE(window.pressed);
  EXPECT_FALSE(tmrMonitor.Enabled());
  EXPECT_EQ(dialog.shown, 1);
}

TEST_F(SchedulerButton, RefusedBeforeStartUpHasCompleted) {
  window.running = false;
  programador.PctBoton_Click();
  EXPECT_EQ(beeper.beeps, 1);
  EXPECT_EQ(dialog.shown, 0);
  EXPECT_FALSE(window.pressed);
  EXPECT_FALSE(Existe(prg));
}

TEST_F(SchedulerButton, DialogHintsReachTheHelpLine) {
  dialog.user = [](Form2& f) {
    f.CboHora_DropDown(2);
    f.Cancelar_Click();
  };
  programador.PctBoton_Click();
  EXPECT_EQ(window.help, "Hora de Apagado");
}

}  // namespace
}  // namespace miravela
