#include "sensors/capturador_pantalla.h"

#include <cmath>

#include "base/registro_ajustes.h"

namespace miravela {

namespace {

// A stored zoom may ask for at most this many times the largest capture size on each
// side: far beyond any zoom step, far below a picture that would exhaust memory.
constexpr int kVecesResolucionMayor = 4;

// The picture size a stored zoom asks for, or nothing when it is not one the frame
// buffer can hold. A size that rounds to no pixel is refused as well: it would be
// stored as 0 at the next stop and so read differently from how it was written.
std::optional<QSize> ZoomGuardado(int anchoTwips, int altoTwips, const PictureBox& picture) {
  if (anchoTwips < 1 || altoTwips < 1) return std::nullopt;
  const long ancho = std::lround(anchoTwips / picture.TwipsPerPixelX());
  const long alto = std::lround(altoTwips / picture.TwipsPerPixelY());
  const Resolucion* mayor = ResolucionDeValor(1);
  for (int valor = 2; ResolucionDeValor(valor); ++valor) mayor = ResolucionDeValor(valor);
  if (ancho < 1 || alto < 1 || ancho > kVecesResolucionMayor * mayor->ancho ||
      alto > kVecesResolucionMayor * mayor->alto)
    return std::nullopt;
  return QSize(static_cast<int>(ancho), static_cast<int>(alto));
}

}  // namespace

QRect RectanguloCaptura(int left, int top, int width, int height) {
  return QRect(left + kBorde, top + kAltoBarra + kBorde, width, height);
}

CapturadorPantalla::CapturadorPantalla(EntornoEscaner entorno) : e_(std::move(entorno)) {
  CmdScan.Caption = QStringLiteral("ESCANER");
  CmdScan.Tag = QStringLiteral("0");
  CmdScan.BackColor = kColorModoReposo;
  e_.panel.ResolucionCambiada = [this] { ResolucionCambiada(); };
}

void CapturadorPantalla::CmdScan_Click() {
  if (Activo())
    Detener();
  else
    Iniciar();
  e_.esconderBotones();
}

void CapturadorPantalla::MostrarResolucion(bool visible) {
  e_.panel.HsbSensor[kResolucion].Visible = visible;
  e_.panel.LblSensor[9].Visible = visible;
}

void CapturadorPantalla::Iniciar() {
  if (!e_.grabber.PuedeLeerPantalla()) {
    // Watching a picture the desktop will not give would only ever show black.
    e_.mensajes.Show(QString::fromUtf8("Este escritorio no permite que los programas lean la pantalla "
                                       "(sesión Wayland). Para usar el Capturador de Pantalla inicie una "
                                       "sesión X11."),
                     QStringLiteral("Miravela - Capturador de Pantalla"), IconoMensaje::Exclamacion,
                     BotonesMensaje::Aceptar);
    return;
  }
  MostrarResolucion(true);
  CmdScan.BackColor = kColorPulsado;
  CmdScan.Tag = QStringLiteral("1");
  if (e_.botones.Pulsado(kBotonCamara)) e_.botones.Click(kBotonCamara);
  e_.botones.Click(kBotonCamara);  // with the flag set the frame loop starts on the desktop
  e_.botones.Boton(kBotonCamara).Enabled = false;
  e_.panel.HsbSensor_Change(kResolucion);
  e_.marco.Mostrar();
  CargarEscaner();
}

void CapturadorPantalla::Detener() {
  e_.marco.TmrZoom.SetEnabled(false);
  MostrarResolucion(false);
  CmdScan.BackColor = kColorModoReposo;
  CmdScan.Tag = QStringLiteral("0");
  GuardarEscaner();
  e_.botones.Click(kBotonCamara);
  e_.botones.Boton(kBotonCamara).Enabled = true;
  e_.marco.Cerrar();
}

void CapturadorPantalla::ApagarAlCerrar() {
  if (!Activo()) return;
  CmdScan_Click();
  CmdScan.Tag = QStringLiteral("1");
}

void CapturadorPantalla::ResolucionCambiada() {
  MarcoCaptura& marco = e_.marco;
  marco.CmdZoom[1].Tag = QString::number(e_.picture4.Width());
  marco.TmrZoom.SetEnabled(true);
  marco.Dimensionar(e_.panel.AnchoEscaner, e_.panel.AltoEscaner);
  if (Activo() && marco.Visible) {
    marco.Cerrar();
    marco.Mostrar();
  }
}

void CapturadorPantalla::CmdScan_MouseMove(Control& lblAyuda) const {
  lblAyuda.ForeColor = kAyudaActiva;
  lblAyuda.Caption = CmdScan.BackColor == kColorModoReposo ? QStringLiteral("Activar Capturador de Pantalla")
                                                           : QStringLiteral("Desactivar Capturador de Pantalla");
}

std::optional<QImage> CapturadorPantalla::CapturarPantalla() {
  const MarcoCaptura& m = e_.marco;
  const auto px = [](int twips, double tpp) { return twips / std::max(1, static_cast<int>(std::lround(tpp))); };
  const QRect rect = RectanguloCaptura(px(m.Left, m.TwipsPerPixelX()), px(m.Top, m.TwipsPerPixelY()),
                                       px(m.Width(), m.TwipsPerPixelX()), px(m.Height(), m.TwipsPerPixelY()));
  return e_.grabber.Grab(rect);
}

void CapturadorPantalla::CargarEscaner() {
  const auto registros = LeerRegistros(e_.archivo, 2);
  if (!registros) return;
  const RegistroAjustes& r1 = (*registros)[0];
  const RegistroAjustes& r2 = (*registros)[1];
  if (const int valor = ValorDeAnchoEscaner(r1.Campo4)) e_.panel.FijarValor(kResolucion, valor);
  const QSize pantalla = e_.pantalla.ScreenSizeTwips();
  const bool enPantalla =
      r1.Campo5 >= 0 && r1.Campo6 >= 0 && r1.Campo5 <= pantalla.width() && r1.Campo6 <= pantalla.height();
  if (enPantalla)
    e_.marco.Mover(r1.Campo5, r1.Campo6);
  else
    e_.marco.Mover(0, 0);
  if (const auto zoom = ZoomGuardado(r2.Campo5, r2.Campo6, e_.picture4))
    e_.picture4.SetSizePixels(zoom->width(), zoom->height());
}

void CapturadorPantalla::GuardarEscaner() const {
  RegistroAjustes r1, r2;
  r1.Campo4 = r2.Campo4 = e_.panel.AnchoEscaner;
  r1.Campo5 = e_.marco.Left;
  r1.Campo6 = e_.marco.Top;
  r2.Campo5 = e_.picture4.Width();
  r2.Campo6 = e_.picture4.Height();
  EscribirRegistros(e_.archivo, {r1, r2});
}

}  // namespace miravela
