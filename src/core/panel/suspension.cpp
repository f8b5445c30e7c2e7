#include "panel/suspension.h"

#include <QTime>

#include "panel/button_bar.h"

namespace miravela {

namespace {
constexpr int kSegundosPorPosicion[] = {0, 120, 300, 600, 1};
const char* const kFormatoTiempo = "hh:mm:ss";
}  // namespace

QString TextoTiempo(int segundos) { return QTime(0, 0).addSecs(segundos).toString(kFormatoTiempo); }

Suspension::Suspension(EntornoSuspension entorno) : e_(std::move(entorno)) {
  CmdSuspender.Caption = QStringLiteral("SUSPENDER");
  CmdSuspender.BackColor = kColorReposo;
  CmdSuspender.Tag = QStringLiteral("0");
  LblFondo3.Visible = false;
  LblFondo3.Caption = TextoTiempo(0);
  e_.tmrSuspender.Tag = QStringLiteral("0");
}

void Suspension::CmdSuspender_Click() {
  if (!e_.camaraConectada()) return e_.beeper.Beep();
  CmdSuspender.BackColor = kColorPulsado;
  const int posicion = Posicion() + 1;
  CmdSuspender.Tag = QString::number(posicion);
  switch (posicion) {
    case 1:
      LblFondo3.Visible = true;
      e_.mostrarPlaceholder(true);
      if (e_.restaurarLectura) e_.restaurarLectura();
      FijarRestantes(kSegundosPorPosicion[1]);
      e_.tmrReloj.SetEnabled(false);
      e_.tmrSleep.SetEnabled(false);
      e_.tmrSuspender.SetEnabled(true);
      break;
    case 2:
    case 3:
      FijarRestantes(kSegundosPorPosicion[posicion]);
      break;
    case kPosicionApagado:
      // One second left: the next tick ends the suspension as a countdown would.
      FijarRestantes(kSegundosPorPosicion[kPosicionApagado]);
      LblFondo3.Visible = false;
      break;
    default:
      break;
  }
  LblFondo3.Caption = TextoTiempo(Restantes());
}

void Suspension::CmdSuspender_MouseMove(Control& lblAyuda) const {
  lblAyuda.ForeColor = kAyudaActiva;
  lblAyuda.Caption = QStringLiteral("Activar Temporizador (2M/5M/10M/OFF)");
}

void Suspension::TmrSuspender_Timer() {
  const int restantes = Restantes() - 1;
  FijarRestantes(restantes);
  const QTime mostrado = QTime::fromString(LblFondo3.Caption, kFormatoTiempo);
  LblFondo3.Caption = mostrado.isValid() ? mostrado.addSecs(-1).toString(kFormatoTiempo) : TextoTiempo(restantes);
  if (restantes <= 0) Terminar();
}

void Suspension::Terminar() {
  e_.tmrSuspender.SetEnabled(false);
  e_.tmrReloj.SetEnabled(true);
  e_.tmrSleep.SetEnabled(true);
  LblFondo3.Visible = false;
  e_.mostrarPlaceholder(false);
  CmdSuspender.BackColor = kColorReposo;
  CmdSuspender.Tag = QStringLiteral("0");
}

void Suspension::TmrSleep_Timer() { e_.tmrSleep.SetEnabled(false); }

void Suspension::Cancelar() {
  e_.tmrSuspender.SetEnabled(false);
  FijarRestantes(0);
  CmdSuspender.Tag = QStringLiteral("0");
  LblFondo3.Visible = false;
  CmdSuspender.BackColor = kColorReposo;
}

}  // namespace miravela
