#include "panel/modo_ventana.h"

#include <QDir>
#include <QFile>

#include "panel/button_bar.h"

namespace miravela {

ModoVentana::ModoVentana(EntornoVentana entorno) : e_(std::move(entorno)) {
  CmdVentana.Caption = QStringLiteral("-");
  CmdVentana.BackColor = kColorReposo;
  LblAyudaCam.Caption = QStringLiteral("Video Ayuda");
}

void ModoVentana::CmdVentana_Click() {
  const bool reducir = CmdVentana.BackColor == kColorReposo;
  CmdVentana.Caption = reducir ? QStringLiteral("+") : QStringLiteral("-");
  CmdVentana.BackColor = reducir ? kColorPulsado : kColorReposo;
  if (e_.fijarAltura) e_.fijarAltura(reducir ? kAlturaReducida : kAlturaExpandida);
  e_.fraSensor.Visible = !reducir;
  e_.txtSensor.Visible = !reducir;
}

void ModoVentana::CmdVentana_MouseMove(Control& lblAyuda) const {
  lblAyuda.ForeColor = kAyudaActiva;
  lblAyuda.Caption =
      Expandida() ? QStringLiteral("Reducir/Expandir Ventana") : QStringLiteral("Expandir/Reducir Ventana");
}

void ModoVentana::LblAyuda_Click() { Abrir(e_.paginas ? e_.paginas().inicio : QString()); }
void ModoVentana::LblAyudaCam_Click() { Abrir(e_.paginas ? e_.paginas().video : QString()); }

void ModoVentana::Abrir(const QString& pagina) {
  if (pagina.isEmpty()) return e_.services.beeper.Beep();
  e_.services.window.Minimize();
  e_.services.launcher.OpenWithDefault(pagina);
}

namespace {

// Copies a built-in page out unless the copy on disk is already this build's.
bool Instalar(const QString& recurso, const QString& destino) {
  QFile fuente(recurso);
  if (!fuente.open(QIODevice::ReadOnly)) return false;
  const QByteArray contenido = fuente.readAll();
  QFile actual(destino);
  if (actual.open(QIODevice::ReadOnly) && actual.readAll() == contenido) return true;
  actual.close();
  QFile salida(destino);
  return salida.open(QIODevice::WriteOnly | QIODevice::Truncate) && salida.write(contenido) == contenido.size();
}

}  // namespace

PaginasAyuda InstalarPaginasAyuda(const QString& carpeta) {
  if (!QDir().mkpath(carpeta)) return {};
  PaginasAyuda paginas;
  const QString inicio = carpeta + QStringLiteral("/index.html");
  const QString video = carpeta + QStringLiteral("/guia.html");
  if (Instalar(QStringLiteral(":/ayuda/index.html"), inicio)) paginas.inicio = inicio;
  if (Instalar(QStringLiteral(":/ayuda/guia.html"), video)) paginas.video = video;
  Instalar(QStringLiteral(":/ayuda/estilo.css"), carpeta + QStringLiteral("/estilo.css"));
  return paginas;
}

}  // namespace miravela
