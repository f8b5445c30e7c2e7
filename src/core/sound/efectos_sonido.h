#pragma once
// Background sound effects: button 14 switches them, the user picks one from the files
// of the sounds folder, and once it has ended it plays again at random moments.
// Recursos/Miravela.ESN keeps the switch and the pick between runs.
#include <QString>
#include <functional>

#include "base/configuracion.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "sound/lista_sonidos.h"
#include "sound/medios.h"

namespace miravela {

// The pressed look of button 14, read and set through the button bar.
struct BotonEfectos {
  Hook<bool()> pulsado;
  Hook<void(bool)> fijarPulsado;
};

struct EntornoEfectos {
  const Configuracion& config;  // the sounds folder and the repeat odds
  QString archivoEsn;           // Recursos/Miravela.ESN
  const Medios& medios;
  ModelTimer& tmrEfectoSonido;
  BotonEfectos boton;
  Hook<void(const QString&)> ayuda;  // a text on the help line, in red
  // A number in [0, 1), drawn after seeding from the time of day.
  Hook<double()> aleatorio;
};

class EfectosSonido {
 public:
  explicit EfectosSonido(EntornoEfectos entorno);

  ListaArchivos FilEfectoSonido;  // shown only while the user picks

  bool Activos() const { return e_.boton.pulsado(); }
  // Button 14.
  void AlternarEfectos();
  void FilEfectoSonido_Click();
  // Picking an entry from code acts as the user's click.
  void Seleccionar(int indice);
  void FilEfectoSonido_MouseMove();
  void TmrEfectoSonido_Timer();

  void CargarEfectosSonido();
  void GuardarEfectosSonido() const;

 private:
  void MostrarLista();
  EntornoEfectos e_;
};

}  // namespace miravela
