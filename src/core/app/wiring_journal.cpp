// The event journal in the main window: what the user may need to know of afterwards,
// written by listeners of the window's parts rather than by the parts themselves.
#include "app/form1.h"
#include "base/botones.h"
#include "journal/event_journal.h"

namespace miravela {

void Form1::ConectarDiario() {
  diario_ = std::make_unique<EventJournal>(clock_, programa.Ruta(kArchivoDiario));
  grabador_->Guardada.Subscribe([this](const FotoGuardada& foto) {
    diario_->Write(JournalEvent::Alarma, PathInImages(config.CarpetaImagenes, foto.ruta), foto.cuando);
  });
  // Button 0 connects or disconnects, whoever presses it: the user, the keyboard, the
  // restore at start-up or the scheduler.
  Botones.SetAction(kBotonCamara, [this] {
    const bool antes = conexion_->Conectada();
    conexion_->Boton0_Click();
    const bool despues = conexion_->Conectada();
    if (antes == despues) return;
    diario_->Write(despues ? JournalEvent::CamaraConectada : JournalEvent::CamaraDesconectada,
                   sensores_->escaner.Activo() ? QString() : conexion_->CboDriver.Text());
  });
}

void Form1::AnotarDiario(JournalEvent evento) { diario_->Write(evento); }

}  // namespace miravela
