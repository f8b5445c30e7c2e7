#include "app/form1.h"

namespace miravela {

Form1::Form1(Form1Deps deps)
    : programa(std::move(deps.programa)),
      TmrReloj(deps.clock, "TmrReloj", 500),
      TmrGuardar(deps.clock, "TmrGuardar", 10),
      TmrSleep(deps.clock, "TmrSleep", 5000),
      TmrMonitor(deps.clock, "TmrMonitor", 1000),
      TmrSuspender(deps.clock, "TmrSuspender", 1000),
      TmrEfectoSonido(deps.clock, "TmrEfectoSonido", 2000),
      clock_(deps.clock),
      services_(deps.services),
      ejecutable_(std::move(deps.ejecutable)),
      capturaDisponible_(std::move(deps.capturaDisponible)) {
  Botones.CamaraConectada = [this] { return TmrReloj.Enabled(); };
  ConectarBotones();
}

void Form1::Form_Resize(bool estadoNormal) {
  if (estadoNormal) services_.window.SetTopmost();
}

}  // namespace miravela
