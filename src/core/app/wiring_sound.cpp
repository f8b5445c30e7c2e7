// The sound subsystem in the main window: the alarm-sound list, the background effects,
// the voice clips, and their places in start-up and shut-down.
#include "app/form1.h"
#include "base/botones.h"
#include "base/paleta.h"
#include "sensors/autoajuste_sensores.h"
#include "sound/sonido.h"
#include "sound/sonidos_incorporados.h"

namespace miravela {

void Form1::ConstruirSonido(AudioPlayer& reproductor) {
  sonido_ = std::make_unique<SubsistemaSonido>(EntornoSonido{
      .reproductor = reproductor,
      .config = config,
      .carpetaRecursos = programa.Ruta("Recursos"),
      .tmrEfectoSonido = TmrEfectoSonido,
      .boton = {.pulsado = [this] { return Botones.Pulsado(kBotonEfectosSonido); },
                .fijarPulsado = [this](bool on) { Botones.SetPulsado(kBotonEfectosSonido, on); }},
      .ayuda =
          [this](const QString& texto) {
            Botones.LblAyuda.ForeColor = kAyudaActiva;
            Botones.LblAyuda.Caption = texto;
          },
      .colorDesplegada = kColorResaltado,
      .aleatorio = AleatorioDelReloj(clock_),
  });
  auto& s = *sonido_;
  Subsistemas.CargarAlarmas = [this, &s] {
    // The program's own sounds go into folders that have none of them yet.
    InstalarSonidosIncorporados(config);
    s.alarmas.CargarAlarmas();
  };
  Subsistemas.CargarEfectosSonido = [&s] { s.efectos.CargarEfectosSonido(); };
  Subsistemas.CerrarMedios = [&s] { s.medios.CerrarMedios(); };
  Subsistemas.GuardarAlarma = [&s] { s.alarmas.GuardarAlarma(); };
  Subsistemas.GuardarEfectosSonido = [&s] { s.efectos.GuardarEfectosSonido(); };
  Subsistemas.ReproducirSonido = [&s](const QString& nombre) { s.medios.ReproducirSonido(nombre); };
  Subsistemas.AlarmaElegida = [&s] { return s.alarmas.CboAlarma.Text(); };
  Subsistemas.ReproducirAlarma = [&s](const QString& archivo) { return s.alarmas.ReproducirAlarma(archivo); };
  Botones.SetAction(kBotonEfectosSonido, [&s] { s.efectos.AlternarEfectos(); });
}

}  // namespace miravela
