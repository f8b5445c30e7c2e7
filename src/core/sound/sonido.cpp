#include "sound/sonido.h"

namespace miravela {

SubsistemaSonido::SubsistemaSonido(EntornoSonido e)
    : interprete(e.reproductor),
      medios([this](const QString& comando) { return interprete.Send(comando).text; }),
      alarmas(EntornoAlarmas{.config = e.config,
                             .archivoAlr = e.carpetaRecursos + QStringLiteral("/Miravela.ALR"),
                             .medios = medios,
                             .ayuda = e.ayuda,
                             .colorDesplegada = e.colorDesplegada}),
      efectos(EntornoEfectos{.config = e.config,
                             .archivoEsn = e.carpetaRecursos + QStringLiteral("/Miravela.ESN"),
                             .medios = medios,
                             .tmrEfectoSonido = e.tmrEfectoSonido,
                             .boton = e.boton,
                             .ayuda = e.ayuda,
                             .aleatorio = e.aleatorio}) {}

}  // namespace miravela
