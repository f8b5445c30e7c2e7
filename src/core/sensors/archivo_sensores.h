#pragma once
// The sensors file SNR: the slider values and the on/off states of the button bar
// that start-up restores by pressing the buttons as the user's click would.
#include <QString>
#include <cstdint>
#include <functional>

#include "base/hook.h"
#include "base/registro_ajustes.h"
#include "sensors/autoajuste_sensores.h"
#include "sensors/botonera.h"
#include "sensors/panel_sensores.h"

namespace miravela {

// The states SNR keeps that belong to other parts of the window, and how each is
// switched on when restored.
struct EstadosVentana {
  Hook<int()> estadoInicio;
  // Window size mode: reduced, and the window-size button's action.
  Hook<bool()> modoReducido;
  Hook<void()> reducirVentana;
  // Surveillance zone (its state is button 7's look).
  Hook<void()> activarZona;
  // Task scheduler: read the schedule and start its minute timer when any entry is set.
  Hook<void()> cargarProgramacion;
  // Reverse tracking alarm.
  Hook<bool()> alarmaInversa;
  Hook<void()> activarAlarmaInversa;
  // E-mail alerts on: the mail settings loader (its state is button 6's look).
  Hook<void()> activarAvisoEmail;
  // Screen capturer.
  Hook<bool()> escanerActivo;
  Hook<void()> alternarEscaner;
};

struct EntornoArchivoSensores {
  PanelSensores& panel;
  AutoajusteSensores& autoajuste;
  Botonera& botones;
  EstadosVentana estados;
  QString archivo;  // Recursos/Miravela.SNR
};

class ArchivoSensores {
 public:
  explicit ArchivoSensores(EntornoArchivoSensores entorno);
  void CargarSensores();
  void GuardarSensores() const;

 private:
  void RestaurarRegistro1(const RegistroAjustes& r);
  void RestaurarRegistro2(const RegistroAjustes& r);
  void RestaurarRegistro3(const RegistroAjustes& r);
  void AplicarDensidad();
  EntornoArchivoSensores e_;
};

// Slider 4 value for a sample step kept in SNR (1..6), 30 for anything else.
int DensidadDePaso(std::int32_t paso);

}  // namespace miravela
