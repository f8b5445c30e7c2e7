// Closing: the question to the user, then every setting written back in a fixed order.
#include "app/form1.h"
#include "base/day_folders.h"
#include "base/folders.h"
#include "journal/event_journal.h"

namespace miravela {

bool Form1::Form_QueryUnload() {
  if (!programa.EsPrincipal() || EstadoInicio < 1) return false;
  const auto respuesta = services_.messages.Show(QString::fromUtf8("¿Desea realmente salir del programa?"),
                                                 QString::fromUtf8("Miravela - Cerrar Aplicación"),
                                                 IconoMensaje::Exclamacion, BotonesMensaje::SiNo, RespuestaMensaje::No);
  if (respuesta != RespuestaMensaje::Si) return true;
  EstadoInicio = kEstadoCerrando;
  return false;
}

void Form1::Form_Unload() {
  // An instance that gave up at start-up still holds its defaults; writing them would
  // overwrite the settings of the instance that runs, so it leaves every file alone.
  if (EstadoInicio == kEstadoAbandonado) return;

  Paso("ApagarEscaner", [this] { sensores_->ApagarEscaner(); });
  Paso("DetenerTemporizadores");
  TmrMonitor.SetEnabled(false);
  TmrReloj.SetEnabled(false);
  TmrSleep.SetEnabled(false);
  TmrEfectoSonido.SetEnabled(false);
  Paso("CerrarMedios", Subsistemas.CerrarMedios);

  Paso("GuardarPosicion");
  GuardarPosicion();
  Paso("GuardarCamara", [this] { conexion_->GuardarCamara(); });
  Paso("GuardarSensores", [this] { sensores_->GuardarSensores(); });
  Paso("GuardarVisionNocturna", [this] { sensores_->GuardarVisionNocturna(); });
  Paso("GuardarAlarma", Subsistemas.GuardarAlarma);
  Paso("GuardarEfectosSonido", Subsistemas.GuardarEfectosSonido);
  Paso("GuardarZona", [this] { zona_->GuardarZona(); });
  Paso("GuardarAlarmasZona", [this] { zona_->GuardarAlarmasZona(); });
  Paso("DesconectarCamara", [this] { conexion_->DesconectarCamara(); });

  if (Subsistemas.ProgramadorActivo() && EstadoInicio == kEstadoCerrando && Subsistemas.DiasGuardar() == 0) {
    Paso("EliminarImagenes");
    EliminarFotosPrograma(config.CarpetaImagenes);
  }
  Paso("EliminarTemporal");
  const QString temporal = programa.Ruta("Recursos/PICTMP.bmp");
  LimpiarAtributos(temporal);
  EliminarArchivo(temporal);
  AnotarDiario(JournalEvent::Fin);
}

}  // namespace miravela
