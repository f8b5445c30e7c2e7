#include "sensors/vision_nocturna.h"

#include "base/folders.h"
#include "base/registro_ajustes.h"

namespace miravela {

VisionNocturna::VisionNocturna(EntornoNoche entorno) : e_(std::move(entorno)) {
  e_.cmdNoche.BackColor = kColorReposo;
  e_.cmdNoche.Tag = QStringLiteral("0");
  e_.cmdNoche.Caption = QStringLiteral("NOCHE +") + QString::number(Nivel() / 10);
}

void VisionNocturna::CmdNoche_Click() {
  if (!e_.botones.Pulsado(kBotonCamara)) {
    e_.beeper.Beep();
    return;
  }
  if (!Activa()) {
    e_.cmdNoche.BackColor = kColorPulsado;
    e_.cmdNoche.Caption = QStringLiteral("NOCHE +") + QString::number(Nivel() / 10);
    e_.cmdNoche.Tag = QStringLiteral("1");
    e_.panel.DivisorNoche = static_cast<std::uint8_t>(60 - Nivel());
    MargenNoche = kMargenNoche;
  } else {
    Apagar();
  }
  // The jump in brightness must not be taken for movement.
  e_.tmrSleep.SetEnabled(true);
}

void VisionNocturna::Apagar() {
  e_.cmdNoche.BackColor = kColorReposo;
  e_.cmdNoche.Tag = QStringLiteral("0");
  MargenNoche = 0;
}

void VisionNocturna::Desconectar() { Apagar(); }

void VisionNocturna::CmdNoche_MouseMove(Control& lblAyuda) const {
  lblAyuda.ForeColor = kAyudaActiva;
  lblAyuda.Caption = QString::fromUtf8(e_.cmdNoche.BackColor == kColorReposo ? "Activar Visión Nocturna"
                                                                             : "Desactivar Visión Nocturna");
}

void VisionNocturna::CargarVisionNocturna() {
  const auto registros = LeerRegistros(e_.archivo, 1);
  if (!registros) return;
  const RegistroAjustes& r = (*registros)[0];
  e_.panel.FijarValor(kNivelNoche, r.Campo6);
  if (r.Campo5 == 1) CmdNoche_Click();
}

void VisionNocturna::GuardarVisionNocturna() const {
  RegistroAjustes r;
  r.Campo5 = Activa() ? 1 : 0;
  r.Campo6 = Nivel();
  EscribirRegistros(e_.archivo, {r});
}

}  // namespace miravela
