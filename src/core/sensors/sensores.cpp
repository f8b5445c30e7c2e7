#include "sensors/sensores.h"

namespace miravela {

namespace {
EstadosVentana ConEscaner(EstadosVentana estados, CapturadorPantalla& escaner) {
  estados.escanerActivo = [&escaner] { return escaner.Activo(); };
  estados.alternarEscaner = [&escaner] { escaner.CmdScan_Click(); };
  return estados;
}
}  // namespace

Sensores::Sensores(EntornoSensores e)
    : panel({.parametros = e.parametros,
             .tmrReloj = e.tmrReloj,
             .lblAyuda = e.lblAyuda,
             .picture4 = e.picture4,
             .cmdNoche = CmdNoche,
             .locale = e.locale}),
      marco(e.clock, e.services.window.TwipsPerPixelX(), e.services.window.TwipsPerPixelY(), e.picture4, e.tmrSleep),
      noche({.cmdNoche = CmdNoche,
             .panel = panel,
             .botones = e.botones,
             .beeper = e.services.beeper,
             .tmrSleep = e.tmrSleep,
             .archivo = e.carpetaRecursos + "/Miravela.NCH"}),
      autoajuste({.panel = panel,
                  .clock = e.clock,
                  .beeper = e.services.beeper,
                  .botones = e.botones,
                  .estadoInicio = e.estados.estadoInicio,
                  .similitud = e.similitud,
                  .margenNoche = [this] { return noche.MargenNoche; },
                  .carpetaVoz = e.carpetaVoz,
                  .reproducirSonido = e.reproducirSonido,
                  .aleatorio = e.aleatorio ? e.aleatorio : AleatorioDelReloj(e.clock)}),
      escaner({.panel = panel,
               .marco = marco,
               .grabber = e.grabber,
               .botones = e.botones,
               .picture4 = e.picture4,
               .mensajes = e.services.messages,
               .pantalla = e.services.window,
               .esconderBotones = e.esconderBotones,
               .archivo = e.carpetaRecursos + "/Miravela.PES"}),
      archivo({.panel = panel,
               .autoajuste = autoajuste,
               .botones = e.botones,
               .estados = ConEscaner(e.estados, escaner),
               .archivo = e.carpetaRecursos + "/Miravela.SNR"}) {
  panel.EsconderBotones = e.esconderBotones;
  marco.Dimensionar(panel.AnchoEscaner, panel.AltoEscaner);
}

int EntradasSensores::Movimiento() const { return s_.panel.Valor(kMovimiento); }
int EntradasSensores::ColorSensor() const { return s_.panel.Valor(kColor); }
int EntradasSensores::Frecuencia() const { return s_.panel.Valor(kFrecuencia); }
bool EntradasSensores::EscanerActivo() const { return s_.escaner.Activo(); }
bool EntradasSensores::VisionNocturna() const { return s_.noche.Activa(); }
std::uint8_t EntradasSensores::DivisorNoche() const { return s_.panel.DivisorNoche; }

}  // namespace miravela
