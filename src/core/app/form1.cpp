#include "app/form1.h"

#include "app/piezas.h"
#include "journal/event_journal.h"
#include "sound/sonido.h"

namespace miravela {

Form1::Form1(Form1Deps deps)
    : programa(std::move(deps.programa)),
      pictures(deps.services.window.TwipsPerPixelX(), deps.services.window.TwipsPerPixelY()),
      TmrReloj(deps.clock, "TmrReloj", 500),
      TmrGuardar(deps.clock, "TmrGuardar", 10),
      TmrSleep(deps.clock, "TmrSleep", 5000),
      TmrMonitor(deps.clock, "TmrMonitor", 1000),
      TmrSuspender(deps.clock, "TmrSuspender", 1000),
      TmrEfectoSonido(deps.clock, "TmrEfectoSonido", 2000),
      clock_(deps.clock),
      services_(deps.services),
      ejecutable_(std::move(deps.ejecutable)),
      capturaDisponible_(std::move(deps.capturaDisponible)),
      camara_(deps.camara),
      pantalla_(deps.pantalla) {
  Botones.CamaraConectada = [this] { return TmrReloj.Enabled(); };
  TxtSensor.Visible = false;
  ConstruirSonido(deps.reproductor ? *deps.reproductor : silencio_);
  ConstruirSubsistemas();
  ConectarBotones();
}

Form1::~Form1() = default;

void Form1::RestaurarLectura() {
  TxtSensor.Caption = TxtSensor.Tag;
  Caption = TituloBase;
}

void Form1::Form_Resize(bool estadoNormal) {
  VentanaNormal = estadoNormal;
  if (estadoNormal) services_.window.SetTopmost();
}

}  // namespace miravela
