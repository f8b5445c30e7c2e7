#pragma once
// Pausing surveillance for a short while: each press of the suspend button steps
// through 2, 5 and 10 minutes and off, a banner counts the time down, and at zero
// watching resumes by itself after the usual grace period.
#include <functional>

#include "base/control.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "base/services.h"

namespace miravela {

struct EntornoSuspension {
  ModelTimer& tmrReloj;      // the frame loop
  ModelTimer& tmrSleep;      // the grace period after every return to watching
  ModelTimer& tmrSuspender;  // the one-second countdown
  Beeper& beeper;
  Hook<bool()> camaraConectada;         // button 0 has the on look
  Hook<void(bool)> mostrarPlaceholder;  // Picture3 over the preview
  Hook<void()> restaurarLectura;        // the read-out box back to its resting text
};

class Suspension {
 public:
  static constexpr int kPosicionApagado = 4;

  explicit Suspension(EntornoSuspension entorno);

  Control CmdSuspender;  // tag: position in the cycle, 0 at rest
  Control LblFondo3;     // the banner with the remaining time

  void CmdSuspender_Click();
  void CmdSuspender_MouseMove(Control& lblAyuda) const;
  void TmrSuspender_Timer();
  void TmrSleep_Timer();
  // Disconnecting the camera ends a suspension from any state.
  void Cancelar();

  int Posicion() const { return CmdSuspender.Tag.toInt(); }
  int Restantes() const { return e_.tmrSuspender.Tag.toInt(); }

 private:
  void FijarRestantes(int segundos) { e_.tmrSuspender.Tag = QString::number(segundos); }
  void Terminar();
  EntornoSuspension e_;
};

// Seconds as a time of day, "hh:mm:ss".
QString TextoTiempo(int segundos);

}  // namespace miravela
