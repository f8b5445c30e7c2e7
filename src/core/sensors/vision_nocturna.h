#pragma once
// Night vision: a switch with its button, the brightening level of slider 6, and the
// NCH file that keeps both between runs. The brightening itself is the frame loop's.
#include <QString>
#include <cstdint>

#include "base/control.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "base/services.h"
#include "sensors/botonera.h"
#include "sensors/panel_sensores.h"

namespace miravela {

inline constexpr std::uint8_t kMargenNoche = 21;

struct EntornoNoche {
  Control& cmdNoche;  // caption, colour, and the state in its tag
  PanelSensores& panel;
  Botonera& botones;
  Beeper& beeper;
  ModelTimer& tmrSleep;
  QString archivo;  // Recursos/Miravela.NCH
};

class VisionNocturna {
 public:
  explicit VisionNocturna(EntornoNoche entorno);

  bool Activa() const { return e_.cmdNoche.Tag.toInt() != 0; }
  int Nivel() const { return e_.panel.Valor(kNivelNoche); }
  std::uint8_t DivisorNoche() const { return e_.panel.DivisorNoche; }
  // Widens the colour margin of auto-adjust while on.
  std::uint8_t MargenNoche = 0;

  void CmdNoche_Click();
  // Disconnecting the camera switches it off without the button's steps.
  void Desconectar();
  void CmdNoche_MouseMove(Control& lblAyuda) const;

  void CargarVisionNocturna();
  void GuardarVisionNocturna() const;

 private:
  void Apagar();
  EntornoNoche e_;
};

}  // namespace miravela
