#pragma once
// A window for the scheduler to switch: the camera button, the screen capturer and
// night vision behave as the main window's do, and every switch is logged.
#include <QStringList>
#include <functional>

#include "schedule/form2.h"
#include "schedule/programador_tareas.h"

namespace miravela::test {

class FakeSwitches : public ConmutadoresProgramados {
 public:
  bool CamaraPulsada() const override { return camera; }
  bool CamaraHabilitada() const override { return !capturer; }
  void ClickCamara() override {
    log << (camera ? "camera off" : "camera on");
    camera = !camera;
    if (!camera) night = false;  // disconnecting switches night vision off
  }
  bool EscanerActivo() const override { return capturer; }
  // The capturer takes the camera button for the desktop and gives it back.
  void CmdScan_Click() override {
    log << (capturer ? "capturer off" : "capturer on");
    if (!capturer) {
      if (camera) camera = false;
      camera = true;
      capturer = true;
    } else {
      camera = false;
      capturer = false;
    }
  }
  bool NocheActiva() const override { return night; }
  void CmdNoche_Click() override {
    log << (night ? "night off" : "night on");
    night = !night;
  }
  void EsconderBotones() override { ++hidden; }
  void Repintar() override { ++repaints; }

  bool camera = false, capturer = false, night = false;
  int hidden = 0, repaints = 0;
  QStringList log;
};

class FakeSchedulerWindow : public VentanaProgramador {
 public:
  bool EnMarcha() const override { return running; }
  bool BotonPulsado() const override { return pressed; }
  void FijarBotonPulsado(bool on) override { pressed = on; }
  void EsconderBotones() override { ++hidden; }
  void MostrarAyuda(const QString& text) override { help = text; }

  bool running = true, pressed = false;
  int hidden = 0;
  QString help;
};

class ScriptedDialog : public DialogoProgramador {
 public:
  void Mostrar(Form2& dialog) override {
    ++shown;
    if (user) user(dialog);
  }
  int shown = 0;
  std::function<void(Form2&)> user;  // what the user does in the dialog
};

}  // namespace miravela::test
