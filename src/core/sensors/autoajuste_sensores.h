#pragma once
// Sensor auto-adjust: after every analysed frame it moves the Movimiento and Color
// sliders one step toward the similarity the scene shows, and walks them back to the
// user's values once the scene has been steady for three clock minutes.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>

#include "base/autoajuste.h"
#include "base/control.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "base/services.h"
#include "sensors/botonera.h"
#include "sensors/panel_sensores.h"

namespace miravela {

struct EntornoAutoajuste {
  PanelSensores& panel;
  Clock& clock;
  Beeper& beeper;
  Botonera& botones;
  Hook<int()> estadoInicio;
  Hook<std::int16_t()> similitud;    // of the last analysed frame
  Hook<std::uint8_t()> margenNoche;  // 21 while night vision is on
  Hook<QString()> carpetaVoz;
  // Plays a sound named without extension; never interrupts one that plays.
  Hook<void(const QString&)> reproducirSonido;
  // A number in [0, 1), drawn after seeding from the time of day.
  Hook<double()> aleatorio;
};

// Minute boundaries of the clock passed from `desde` to `hasta` (12:00:59 to 12:01:00 is one).
qint64 LimitesDeMinuto(const QDateTime& desde, const QDateTime& hasta);

class AutoajusteSensores : public Autoajuste {
 public:
  explicit AutoajusteSensores(EntornoAutoajuste entorno);

  Control CmdAutoAjuste;  // caption "AUTO iA"; its tag holds the state, "1" running

  // Autoajuste
  bool Activo() const override { return CmdAutoAjuste.Tag.toInt() == 1; }
  void Paso() override { PasoAutoajuste(); }
  // Stopped by switching tracking on: state and colour only, the sliders stay.
  void Detener() override;

  void CmdAutoAjuste_Click();
  void PasoAutoajuste();
  void CmdAutoAjuste_MouseMove(Control& lblAyuda) const;

  std::int16_t MovimientoUsuario = 0;
  std::int16_t ColorUsuario = 0;
  std::int16_t SimilitudAnterior = 0;
  QDateTime UltimoCambio;

 private:
  void Encender();
  void Apagar();
  void Locucion(int opciones, int primera);
  int M() const { return e_.panel.Valor(kMovimiento); }
  int C() const { return e_.panel.Valor(kColor); }
  void Fijar(int sensor, int valor) { e_.panel.FijarValor(sensor, valor); }
  void Acercar();
  void Volver();

  EntornoAutoajuste e_;
};

// The random source of the voice clips: seeded from the time of day, as each draw is.
Hook<double()> AleatorioDelReloj(Clock& clock);

}  // namespace miravela
