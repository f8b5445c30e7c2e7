#include "schedule/programador_tareas.h"

#include "schedule/form2.h"

namespace miravela {

namespace {

QDateTime AlMinuto(const QDateTime& t) {
  QDateTime m = t;
  m.setTime(QTime(t.time().hour(), t.time().minute()));
  return m;
}

}  // namespace

ProgramadorTareas::ProgramadorTareas(EntornoProgramador entorno) : e_(std::move(entorno)) {
  e_.tmrMonitor.OnTimer = [this] { TmrMonitor_Timer(); };
}

void ProgramadorTareas::IniciarMonitor() {
  if (!programacion.AlgunaActiva()) return;
  // Minutes that passed while the check was stopped are not caught up.
  reanudado_ = true;
  e_.tmrMonitor.SetEnabled(true);
}

void ProgramadorTareas::GuardarProgramacion() {
  EscribirProgramacion(e_.archivo, programacion);
  IniciarMonitor();
}

void ProgramadorTareas::RestaurarProgramador() {
  CargarProgramacion();
  IniciarMonitor();
}

void ProgramadorTareas::PctBoton_Click() {
  VentanaProgramador& v = e_.ventana;
  if (!v.EnMarcha()) {
    e_.beeper.Beep();
    return;
  }
  e_.tmrMonitor.SetEnabled(false);
  if (v.BotonPulsado()) {
    v.FijarBotonPulsado(false);
    return;
  }
  v.FijarBotonPulsado(true);
  CargarProgramacion();
  Form2 dialogo(
      programacion, [this](const QString& texto) { e_.ventana.MostrarAyuda(texto); }, e_.beeper);
  e_.dialogo.Mostrar(dialogo);
  if (dialogo.Resultado() == Form2::Cierre::Aceptado) {
    programacion = dialogo.Valores();
    GuardarProgramacion();
  } else {
    v.FijarBotonPulsado(false);
  }
  v.EsconderBotones();
}

QString ProgramadorTareas::UltimoCambio(int k, const QDateTime& desde, const QDateTime& minuto) const {
  QDateTime mejor;
  QString texto;
  for (const QString& hora : {programacion.HoraEncendido[k], programacion.HoraApagado[k]}) {
    const auto t = HoraProgramada(hora);
    if (!t) continue;
    QDateTime vez(minuto.date(), *t);
    if (vez > minuto) vez = QDateTime(minuto.date().addDays(-1), *t);
    if (vez < desde || (mejor.isValid() && vez <= mejor)) continue;
    mejor = vez;
    texto = hora;
  }
  return texto;
}

void ProgramadorTareas::TmrMonitor_Timer() {
  const QDateTime minuto = AlMinuto(e_.clock.Now());
  if (UltimoMinuto.isValid() && minuto == UltimoMinuto) return;
  // Minutes the check did not see (a suspended machine, a stalled or busy system)
  // are not lost: the latest switch that fell in them is applied now. A clock set
  // back starts afresh at the current minute.
  const bool hueco = !reanudado_ && UltimoMinuto.isValid() && minuto > UltimoMinuto;
  const QDateTime desde = hueco ? UltimoMinuto.addSecs(60) : minuto;
  reanudado_ = false;

  if (programacion.FuncionActiva[kFuncionCamara])
    ConmutarCamara(UltimoCambio(kFuncionCamara, desde, minuto));
  else if (programacion.FuncionActiva[kFuncionEscaner])
    ConmutarEscaner(UltimoCambio(kFuncionEscaner, desde, minuto));
  if (e_.conmutadores.CamaraPulsada() && programacion.FuncionActiva[kFuncionNoche])
    ConmutarNoche(UltimoCambio(kFuncionNoche, desde, minuto));
  UltimoMinuto = minuto;
}

void ProgramadorTareas::ConmutarCamara(const QString& ahora) {
  if (ahora.isEmpty()) return;
  ConmutadoresProgramados& c = e_.conmutadores;
  const bool escaner = !c.CamaraHabilitada();
  const bool encender = ahora == programacion.HoraEncendido[kFuncionCamara] && (!c.CamaraPulsada() || escaner);
  // While the screen capturer holds the camera button the camera itself is not
  // connected, so its switch-off time leaves the capturer running; stopping the
  // capturer and clicking the button would connect the camera instead.
  const bool apagar = ahora == programacion.HoraApagado[kFuncionCamara] && c.CamaraPulsada() && !escaner;
  if (!encender && !apagar) return;
  if (escaner) c.CmdScan_Click();
  c.ClickCamara();
  c.EsconderBotones();
  c.Repintar();
}

void ProgramadorTareas::ConmutarEscaner(const QString& ahora) {
  if (ahora.isEmpty()) return;
  ConmutadoresProgramados& c = e_.conmutadores;
  if (ahora == programacion.HoraEncendido[kFuncionEscaner] && !c.EscanerActivo())
    c.CmdScan_Click();
  else if (ahora == programacion.HoraApagado[kFuncionEscaner] && c.EscanerActivo())
    c.CmdScan_Click();
}

void ProgramadorTareas::ConmutarNoche(const QString& ahora) {
  if (ahora.isEmpty()) return;
  ConmutadoresProgramados& c = e_.conmutadores;
  const bool encender = ahora == programacion.HoraEncendido[kFuncionNoche] && !c.NocheActiva();
  const bool apagar = ahora == programacion.HoraApagado[kFuncionNoche] && c.NocheActiva();
  if (!encender && !apagar) return;
  c.CmdNoche_Click();
  c.EsconderBotones();
  c.Repintar();
}

}  // namespace miravela
