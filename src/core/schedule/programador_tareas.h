#pragma once
// The task scheduler: once a minute it switches the camera, the screen capturer and
// night vision at their set times, acting through the same buttons a user clicks.
// It also holds the number of day folders the photograph recorder keeps.
#include <QDateTime>
#include <QString>

#include "base/model_timer.h"
#include "base/services.h"
#include "schedule/programacion.h"

namespace miravela {

class Form2;

// What the minute check switches and reads; the main window connects it to its
// buttons, so a switch is exactly the click a user would make.
class ConmutadoresProgramados {
 public:
  virtual ~ConmutadoresProgramados() = default;
  // The camera button: pressed while the frame loop runs (camera or screen capturer),
  // disabled while the screen capturer runs.
  virtual bool CamaraPulsada() const = 0;
  virtual bool CamaraHabilitada() const = 0;
  virtual void ClickCamara() = 0;
  virtual bool EscanerActivo() const = 0;
  virtual void CmdScan_Click() = 0;
  virtual bool NocheActiva() const = 0;
  virtual void CmdNoche_Click() = 0;
  virtual void EsconderBotones() = 0;
  virtual void Repintar() = 0;
};

// The scheduler's own button and its dialog, as the main window shows them.
class VentanaProgramador {
 public:
  virtual ~VentanaProgramador() = default;
  // Start-up has completed; before that the button refuses.
  virtual bool EnMarcha() const = 0;
  virtual bool BotonPulsado() const = 0;
  virtual void FijarBotonPulsado(bool pulsado) = 0;
  virtual void EsconderBotones() = 0;
  // The main window's help line, for the hints the dialog gives.
  virtual void MostrarAyuda(const QString& texto) = 0;
};

// Shows the dialog's model in a window; the widgets live in the view, tests play the user.
class DialogoProgramador {
 public:
  virtual ~DialogoProgramador() = default;
  // Modal: returns once the dialog has closed.
  virtual void Mostrar(Form2& dialogo) = 0;
};

struct EntornoProgramador {
  Clock& clock;
  ModelTimer& tmrMonitor;
  ConmutadoresProgramados& conmutadores;
  VentanaProgramador& ventana;
  DialogoProgramador& dialogo;
  Beeper& beeper;
  QString archivo;  // Recursos/Miravela.PRG
};

class ProgramadorTareas {
 public:
  explicit ProgramadorTareas(EntornoProgramador entorno);

  Programacion programacion;
  // The minute last evaluated, to the minute and with its date; invalid before the
  // first evaluation. The minute of the hour alone could not tell an hour-long stall
  // from no time at all.
  QDateTime UltimoMinuto;

  void CargarProgramacion() { LeerProgramacion(e_.archivo, programacion); }
  // Writes PRG from the schedule and starts the minute check when anything is scheduled.
  void GuardarProgramacion();
  // Start-up's restore of a scheduler that was on: read PRG and start the minute check
  // when anything is scheduled.
  void RestaurarProgramador();
  // The scheduler's button: refuses before start-up has completed; stops the minute
  // check; switches off when on, or loads the schedule and opens the dialog when off.
  void PctBoton_Click();
  void TmrMonitor_Timer();

 private:
  void IniciarMonitor();
  void ConmutarCamara(const QString& ahora);
  void ConmutarEscaner(const QString& ahora);
  void ConmutarNoche(const QString& ahora);
  // The latest switch time of function k at or before `minuto` and not before
  // `desde`, as its "hh:mm" text; empty when none fell in that span.
  QString UltimoCambio(int k, const QDateTime& desde, const QDateTime& minuto) const;

  EntornoProgramador e_;
  bool reanudado_ = true;  // the next check is the first since the minute check started
};

}  // namespace miravela
