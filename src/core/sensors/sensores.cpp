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
    : panel({e.parametros, e.tmrReloj, e.lblAyuda, e.picture4, CmdNoche, e.locale}),
      marco(e.clock, e.services.window.TwipsPerPixelX(), e.services.window.TwipsPerPixelY(), e.picture4, e.tmrSleep),
      noche({CmdNoche, panel, e.botones, e.services.beeper, e.tmrSleep, e.carpetaRecursos + "/Miravela.NCH"}),
      autoajuste({panel, e.clock, e.services.beeper, e.botones, e.estados.estadoInicio, e.similitud,
                  [this] { return noche.MargenNoche; }, e.carpetaVoz, e.reproducirSonido,
                  e.aleatorio ? e.aleatorio : AleatorioDelReloj(e.clock)}),
      escaner({panel, marco, e.grabber, e.botones, e.picture4, e.services.messages, e.services.window,
               e.esconderBotones, e.carpetaRecursos + "/Miravela.PES"}),
      archivo({panel, autoajuste, e.botones, ConEscaner(e.estados, escaner), e.carpetaRecursos + "/Miravela.SNR"}) {
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
