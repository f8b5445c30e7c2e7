#include "sensors/autoajuste_sensores.h"

#include <cmath>
#include <random>

namespace miravela {

namespace {
constexpr int kMinutosCalma = 3;
constexpr int kMargenMovimiento = 3;
constexpr int kMargenColor = 6;
}  // namespace

qint64 LimitesDeMinuto(const QDateTime& desde, const QDateTime& hasta) {
  // Whole minutes of local time since an arbitrary origin; the difference counts the
  // boundaries crossed, not the time elapsed.
  const auto minuto = [](const QDateTime& t) {
    const QDateTime local = t.toLocalTime();
    return local.date().toJulianDay() * 1440 + local.time().hour() * 60 + local.time().minute();
  };
  return minuto(hasta) - minuto(desde);
}

Hook<double()> AleatorioDelReloj(Clock& clock) {
  return [&clock] {
    std::mt19937 generador(static_cast<std::uint32_t>(clock.Now().time().msecsSinceStartOfDay()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generador);
  };
}

AutoajusteSensores::AutoajusteSensores(EntornoAutoajuste entorno) : e_(std::move(entorno)) {
  CmdAutoAjuste.Caption = QStringLiteral("AUTO iA");
  CmdAutoAjuste.Tag = QStringLiteral("0");
  CmdAutoAjuste.BackColor = kColorModoReposo;
}

void AutoajusteSensores::CmdAutoAjuste_Click() {
  if (e_.estadoInicio() != kEstadoEnMarcha) {
    e_.beeper.Beep();
    return;
  }
  if (Activo())
    Apagar();
  else
    Encender();
}

void AutoajusteSensores::Encender() {
  if (e_.botones.Pulsado(kBotonSeguimiento)) e_.botones.Click(kBotonSeguimiento);
  CmdAutoAjuste.Tag = QStringLiteral("1");
  CmdAutoAjuste.BackColor = kColorPulsado;
  SimilitudAnterior = e_.similitud();
  MovimientoUsuario = static_cast<std::int16_t>(M());
  ColorUsuario = static_cast<std::int16_t>(C());
  UltimoCambio = e_.clock.Now();
  Locucion(3, 1);
}

void AutoajusteSensores::Apagar() {
  CmdAutoAjuste.Tag = QStringLiteral("0");
  CmdAutoAjuste.BackColor = kColorModoReposo;
  Fijar(kMovimiento, MovimientoUsuario);
  Fijar(kColor, ColorUsuario);
  Locucion(2, 4);
}

void AutoajusteSensores::Detener() {
  CmdAutoAjuste.Tag = QStringLiteral("0");
  CmdAutoAjuste.BackColor = kColorModoReposo;
}

void AutoajusteSensores::Locucion(int opciones, int primera) {
  const int k = static_cast<int>(std::floor(e_.aleatorio() * opciones));
  const int clip = primera + std::clamp(k, 0, opciones - 1);
  e_.reproducirSonido(e_.carpetaVoz() + QStringLiteral("/OLMiX-") + QString::number(clip));
}

void AutoajusteSensores::PasoAutoajuste() {
  const std::int16_t s = e_.similitud();
  if (s != SimilitudAnterior)
    Acercar();
  else if (LimitesDeMinuto(UltimoCambio, e_.clock.Now()) >= kMinutosCalma)
    Volver();
  SimilitudAnterior = s;
}

// The scene changed: one step toward thresholds just below the similarity it shows.
void AutoajusteSensores::Acercar() {
  const int s = e_.similitud();
  const int n = e_.margenNoche() + kMargenColor;
  UltimoCambio = e_.clock.Now();
  if (M() + 50 < s - kMargenMovimiento && M() < 50) Fijar(kMovimiento, M() + 1);
  if (C() + 50 < s - n && C() < 50) Fijar(kColor, C() + 1);
  if (M() + 50 > s - kMargenMovimiento && M() > 1) Fijar(kMovimiento, M() - 1);
  if (C() + 50 > s - n && C() > 1) Fijar(kColor, C() - 1);
}

// A steady scene: one step back toward the user's own values.
void AutoajusteSensores::Volver() {
  if (M() < MovimientoUsuario) Fijar(kMovimiento, M() + 1);
  if (C() < ColorUsuario) Fijar(kColor, C() + 1);
  if (M() > MovimientoUsuario) Fijar(kMovimiento, M() - 1);
  if (C() > ColorUsuario) Fijar(kColor, C() - 1);
}

void AutoajusteSensores::CmdAutoAjuste_MouseMove(Control& lblAyuda) const {
  lblAyuda.ForeColor = kAyudaActiva;
  lblAyuda.Caption = CmdAutoAjuste.BackColor == kColorModoReposo ? QStringLiteral("Activar Autoajuste de Sensores")
                                                                 : QStringLiteral("Desactivar Autoajuste de Sensores");
}

}  // namespace miravela
