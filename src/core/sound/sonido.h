#pragma once
// The sound subsystem as the main window holds it: the command interpreter on the
// player, the playback routines, the alarm sound and the background effects.
#include <QString>
#include <functional>

#include "base/configuracion.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "sound/alarmas_sonido.h"
#include "sound/audio_player.h"
#include "sound/efectos_sonido.h"
#include "sound/mci_interpreter.h"
#include "sound/medios.h"

namespace miravela {

struct EntornoSonido {
  AudioPlayer& reproductor;
  const Configuracion& config;
  QString carpetaRecursos;
  ModelTimer& tmrEfectoSonido;
  BotonEfectos boton;                // button 14
  Hook<void(const QString&)> ayuda;  // a text on the help line, in red
  Color colorDesplegada;             // an open list's background
  Hook<double()> aleatorio;          // [0, 1), seeded from the time of day
};

class SubsistemaSonido {
 public:
  explicit SubsistemaSonido(EntornoSonido entorno);
  SubsistemaSonido(const SubsistemaSonido&) = delete;
  SubsistemaSonido& operator=(const SubsistemaSonido&) = delete;

  MciInterpreter interprete;
  Medios medios;
  AlarmasSonido alarmas;
  EfectosSonido efectos;
};

}  // namespace miravela
