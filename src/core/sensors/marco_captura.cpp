#include "sensors/marco_captura.h"

#include <cmath>

#include "base/numbers.h"
#include "base/twips.h"

namespace miravela {

namespace {

QRect AreaDeForma(const ElementoRegion& e) {
  if (e.shape != 1) return e.rect;
  // A square shape is the centred square on the smaller side.
  const int lado = std::min(e.rect.width(), e.rect.height());
  return QRect(e.rect.x() + (e.rect.width() - lado) / 2, e.rect.y() + (e.rect.height() - lado) / 2, lado, lado);
}

// Level of a frame buffer of width w and height h (twips) for a base width and step:
// the steps taken from the base width, plus one. The buffer snaps to whole pixels, so
// a step is never exactly `paso` twips; the count is rounded, not cut, or one step in
// could still read as level 1.
int Nivel(double base, double w, double h, double paso) {
  if (w <= 0 || h <= 0 || paso <= 0) return 1;
  return static_cast<int>(RoundHalfEven((base - w) / ((w / h) * paso))) + 1;
}

}  // namespace

QRegion RegionTransparente(const std::vector<ElementoRegion>& elementos) {
  QRegion region;
  for (const ElementoRegion& e : elementos) {
    switch (e.tipo) {
      case ElementoRegion::Tipo::Forma: {
        const QRect area = AreaDeForma(e);
        region = region.xored(QRegion(area));
        if (e.transparente) region = region.xored(QRegion(area.adjusted(1, 1, -1, -1)));
        break;
      }
      case ElementoRegion::Tipo::Control:
        if (e.rect.width() != 0) region = region.xored(QRegion(e.rect));
        break;
      case ElementoRegion::Tipo::Linea:
        break;
    }
  }
  return region;
}

MarcoCaptura::MarcoCaptura(Clock& clock, double tppX, double tppY, PictureBox& picture4, ModelTimer& tmrSleep)
    : TmrZoom(clock, QStringLiteral("TmrZoom"), 500),
      tppX_(tppX > 0 ? tppX : kTwipsPorPixelHabitual),
      tppY_(tppY > 0 ? tppY : kTwipsPorPixelHabitual),
      picture4_(picture4),
      tmrSleep_(tmrSleep) {
  CmdZoom[0].Caption = QStringLiteral("+1");
  CmdZoom[1].Caption = QStringLiteral("-");
  TmrZoom.OnTimer = [this] { TmrZoom_Timer(); };
  Dimensionar(picture4.WidthPixels(), picture4.HeightPixels());
}

int MarcoCaptura::Width() const { return TwipsDePixeles(anchoPx_, tppX_); }
int MarcoCaptura::Height() const { return TwipsDePixeles(altoPx_, tppY_); }

void MarcoCaptura::Dimensionar(int ancho, int alto) {
  ancho = std::max(ancho, 2 * kAnchoBotonZoom);
  alto = std::max(alto, 1);
  anchoPx_ = ancho + 2 * kBorde;
  altoPx_ = kAltoBarra + alto + 2 * kBorde;
  const auto colocar = [](Control& c, int x, int y, int w, int h) {
    c.Left = x;
    c.Top = y;
    c.Width = w;
    c.Height = h;
  };
  colocar(PctScan, 0, 0, anchoPx_ - 2 * kAnchoBotonZoom, kAltoBarra);
  colocar(CmdZoom[0], anchoPx_ - 2 * kAnchoBotonZoom, 0, kAnchoBotonZoom, kAltoBarra);
  colocar(CmdZoom[1], anchoPx_ - kAnchoBotonZoom, 0, kAnchoBotonZoom, kAltoBarra);
  // The outline runs one pixel outside the watched rectangle.
  colocar(ShpScan, kBorde - 1, kAltoBarra + kBorde - 1, ancho + 2, alto + 2);
  TransparentWind();
  Avisar();
}

QRect MarcoCaptura::Interior() const {
  return QRect(ShpScan.Left + 1, ShpScan.Top + 1, ShpScan.Width - 2, ShpScan.Height - 2);
}

void MarcoCaptura::TransparentWind() {
  const auto elemento = [](const Control& c) {
    return ElementoRegion{ElementoRegion::Tipo::Control, QRect(c.Left, c.Top, c.Width, c.Height), 0, false};
  };
  std::vector<ElementoRegion> elementos = {elemento(PctScan), elemento(CmdZoom[0]), elemento(CmdZoom[1])};
  ElementoRegion forma = elemento(ShpScan);
  forma.tipo = ElementoRegion::Tipo::Forma;
  forma.shape = ShpScan.Shape;
  forma.transparente = ShpScan.FondoTransparente;
  elementos.push_back(forma);
  Region = RegionTransparente(elementos);
}

void MarcoCaptura::Mostrar() {
  Visible = true;
  TransparentWind();
  if (ventana) ventana->Mostrar();
}

void MarcoCaptura::Cerrar() {
  Visible = false;
  if (ventana) ventana->Cerrar();
}

void MarcoCaptura::Mover(int leftTwips, int topTwips) {
  Left = leftTwips;
  Top = topTwips;
  Avisar();
}

void MarcoCaptura::Movida(int leftTwips, int topTwips) {
  Left = leftTwips;
  Top = topTwips;
}

int MarcoCaptura::NivelZoom() const { return static_cast<int>(LeadingNumber(CmdZoom[0].Caption.mid(1))); }

void MarcoCaptura::CmdZoom_Click(int index) {
  // The jump in the picture is no movement.
  tmrSleep_.SetEnabled(true);
  const int nivel = NivelZoom();
  const double paso = ShpScan.Height;
  const double w = picture4_.Width(), h = picture4_.Height();
  if (h <= 0) return;
  if (index == 0 && nivel < kNivelesZoom) picture4_.SetSizeTwips(w - (w / h) * paso, h - paso);
  if (index == 1 && nivel > 1) picture4_.SetSizeTwips(w + (w / h) * paso, h + paso);
  const double base = LeadingNumber(CmdZoom[1].Tag);
  CmdZoom[0].Caption = QLatin1Char('+') + QString::number(Nivel(base, picture4_.Width(), picture4_.Height(), paso));
  Avisar();
}

void MarcoCaptura::TmrZoom_Timer() {
  TmrZoom.SetEnabled(false);
  const double base = LeadingNumber(CmdZoom[1].Tag);
  CmdZoom[0].Caption =
      QLatin1Char('+') + QString::number(Nivel(base, picture4_.Width(), picture4_.Height(), kPasoZoomTimer));
  Avisar();
}

}  // namespace miravela
