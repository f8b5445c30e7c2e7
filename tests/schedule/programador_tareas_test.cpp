#include "schedule/programador_tareas.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "base/fake_clock.h"
#include "base/folders.h"
#include "schedule/schedule_rig.h"
#include "support/fakes.h"

namespace miravela {
namespace {

QDateTime At(int day, int h, int m, int s = 0) { return QDateTime(QDate(2026, 12, day), QTime(h, m, s)); }

class Scheduler : public ::testing::Test {
 protected:
  Scheduler() {
    programador.programacion.HoraEncendido = {"07:00", "07:00", "19:00"};
    programador.programacion.HoraApagado = {"22:00", "22:00", "05:00"};
  }
  // The schedule as the dialog's "ACEPTAR  " leaves it, with the monitor running.
  void Schedule(std::array<bool, 3> active) {
    programador.programacion.FuncionActiva = active;
    programador.GuardarProgramacion();
  }
  // Runs the one-second timer up to and including `until`.
  void RunUntil(const QDateTime& until) { clock.Advance(clock.Now().msecsTo(until)); }

  QTemporaryDir dir;
  FakeClock clock{At(10, 21, 58, 30)};
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
                                 .archivo = dir.path() + "/Miravela.PRG"}};
};

TEST_F(Scheduler, CameraGoesOffInTheFirstSecondOfItsOffTimeAndBackOnAtItsOnTime) {
  switches.camera = true;
  Schedule({true, false, false});
  ASSERT_TRUE(tmrMonitor.Enabled());
  RunUntil(At(10, 21, 59, 59));
  EXPECT_TRUE(switches.camera);
  RunUntil(At(10, 22, 0, 0));
  EXPECT_FALSE(switches.camera);
  EXPECT_EQ(switches.hidden, 1);
  EXPECT_EQ(switches.repaints, 1);
  RunUntil(At(11, 6, 59, 59));
  EXPECT_FALSE(switches.camera);
  RunUntil(At(11, 7, 0, 0));
  EXPECT_TRUE(switches.camera);
  RunUntil(At(11, 7, 30, 0));
  EXPECT_EQ(switches.log, QStringList({"camera off", "camera on"}));
}

TEST_F(Scheduler, SwitchOnWhileTheScreenCapturerRunsStopsItAndConnectsTheCamera) {
  clock.SetNow(At(10, 6, 59, 30));
  switches.CmdScan_Click();
  switches.log.clear();
  Schedule({true, false, false});
  RunUntil(At(10, 7, 0, 0));
  EXPECT_EQ(switches.log, QStringList({"capturer off", "camera on"}));
  EXPECT_TRUE(switches.camera);
  EXPECT_FALSE(switches.capturer);
}

TEST_F(Scheduler, CameraOffTimeLeavesARunningScreenCapturerAlone) {
  switches.CmdScan_Click();
  switches.log.clear();
  Schedule({true, false, false});
  RunUntil(At(10, 22, 1, 0));
  EXPECT_TRUE(switches.log.isEmpty()) << switches.log.join(", ").toStdString();
  EXPECT_TRUE(switches.capturer);
}

TEST_F(Scheduler, NightVisionNeedsAConnectedCameraAndIsNotCaughtUpLater) {
  clock.SetNow(At(10, 18, 59, 30));
  Schedule({false, false, true});
  RunUntil(At(10, 19, 0, 30));
  switches.camera = true;  // the user connects the camera half a minute later
  RunUntil(At(10, 19, 5, 0));
  EXPECT_TRUE(switches.log.isEmpty());
  EXPECT_FALSE(switches.night);
  RunUntil(At(11, 5, 0, 0));
  EXPECT_TRUE(switches.log.isEmpty());
  RunUntil(At(11, 19, 0, 0));
  EXPECT_EQ(switches.log, QStringList({"night on"}));
}

TEST_F(Scheduler, ScreenCapturerScheduleIsUsedOnlyWithoutTheCameraSchedule) {
  struct Case {
    std::array<bool, 3> active;
    QStringList expected;
  };
  const Case cases[] = {
      {{false, true, false}, {"capturer on", "capturer off"}},
      {{true, true, false}, {"camera on", "camera off"}},
  };
  for (const Case& c : cases) {
    test::FakeSwitches fresh;
    FakeClock dayClock{At(10, 6, 59, 0)};
    ModelTimer timer{dayClock, "TmrMonitor", 1000};
    ProgramadorTareas p{{.clock = dayClock,
                         .tmrMonitor = timer,
                         .conmutadores = fresh,
                         .ventana = window,
                         .dialogo = dialog,
                         .beeper = beeper,
                         .archivo = dir.path() + "/Miravela.PRG"}};
    p.programacion.FuncionActiva = c.active;
    p.GuardarProgramacion();
    dayClock.Advance(dayClock.Now().msecsTo(At(10, 23, 0, 0)));
    EXPECT_EQ(fresh.log, c.expected);
  }
}

TEST_F(Scheduler, EqualOnAndOffTimesToggleOnceADay) {
  programador.programacion.HoraEncendido[0] = "12:30";
  programador.programacion.HoraApagado[0] = "12:30";
  clock.SetNow(At(10, 12, 0, 0));
  Schedule({true, false, false});
  RunUntil(At(10, 13, 0, 0));
  EXPECT_EQ(switches.log, QStringList({"camera on"}));
  RunUntil(At(11, 13, 0, 0));
  EXPECT_EQ(switches.log, QStringList({"camera on", "camera off"}));
}

TEST_F(Scheduler, MinutesTheClockJumpedOverApplyTheLatestSwitchOnce) {
  struct Case {
    const char* name;
    QDateTime woke;
    QStringList expected;
  };
  const Case cases[] = {
      {"over the on time", At(10, 7, 3, 0), {"camera on"}},
      {"over on and off times", At(10, 22, 10, 0), {}},
      {"over two whole days", At(12, 8, 0, 0), {"camera on"}},
      {"over the off time and midnight", At(11, 6, 0, 0), {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::FakeSwitches fresh;
    FakeClock jumpy{At(10, 6, 58, 0)};
    ModelTimer timer{jumpy, "TmrMonitor", 1000};
    ProgramadorTareas p{{.clock = jumpy,
                         .tmrMonitor = timer,
                         .conmutadores = fresh,
                         .ventana = window,
                         .dialogo = dialog,
                         .beeper = beeper,
                         .archivo = dir.path() + "/Miravela.PRG"}};
    p.programacion.FuncionActiva = {true, false, false};
    p.GuardarProgramacion();
    jumpy.Advance(1000);  // 06:58 evaluated
    jumpy.SetNow(c.woke.addMSecs(-1000));
    jumpy.Advance(1000);
    jumpy.Advance(60000);  // the following minute changes nothing more
    EXPECT_EQ(fresh.log, c.expected);
  }
}

TEST_F(Scheduler, AClockSetBackAndARestartedMonitorDoNotCatchUp) {
  Schedule({true, false, false});
  RunUntil(At(10, 21, 59, 0));
  clock.SetNow(At(10, 6, 0, 0));  // set back: only minutes from now on count
  clock.Advance(1000);
  EXPECT_TRUE(switches.log.isEmpty());
  RunUntil(At(10, 7, 0, 0));
  EXPECT_EQ(switches.log, QStringList({"camera on"}));

  tmrMonitor.SetEnabled(false);  // the scheduler is switched off over the off time
  clock.SetNow(At(10, 23, 0, 0));
  Schedule({true, false, false});
  clock.Advance(60000);
  EXPECT_EQ(switches.log, QStringList({"camera on"}));
}

TEST_F(Scheduler, StartUpRestoreStartsTheMonitorOnlyWithSomethingScheduled) {
  const QString prg = dir.path() + "/Miravela.PRG";
  for (bool any : {false, true}) {
    Programacion stored;
    stored.FuncionActiva[2] = any;
    ASSERT_TRUE(EscribirProgramacion(prg, stored));
    tmrMonitor.SetEnabled(false);
    programador.RestaurarProgramador();
    EXPECT_EQ(tmrMonitor.Enabled(), any);
    EXPECT_EQ(programador.programacion.FuncionActiva[2], any);
  }
}

}  // namespace
}  // namespace miravela
