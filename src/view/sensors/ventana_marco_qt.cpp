#include "view/sensors/ventana_marco_qt.h"

#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "base/twips.h"

namespace miravela {

namespace {
QRect Rect(const Control& c) { return QRect(c.Left, c.Top, c.Width, c.Height); }
const QColor kBarra(0x40, 0x40, 0x40);
const QColor kBoton(0xC0, 0xFF, 0xC0);
const QColor kMarco(0xFF, 0x40, 0x40);
}  // namespace

VentanaMarcoQt::VentanaMarcoQt(MarcoCaptura& marco) : marco_(marco) {
  setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus);
  setTitle(QStringLiteral("Miravela - Escaner"));
  marco_.ventana = this;
}

VentanaMarcoQt::~VentanaMarcoQt() {
  if (marco_.ventana == this) marco_.ventana = nullptr;
}

void VentanaMarcoQt::Mostrar() {
  Actualizar();
  show();
  raise();
}

void VentanaMarcoQt::Cerrar() {
  arrastre_.reset();
  hide();
}

void VentanaMarcoQt::Actualizar() {
  aplicando_ = true;
  const int x = PixelDeTwips(marco_.Left, marco_.TwipsPerPixelX());
  const int y = PixelDeTwips(marco_.Top, marco_.TwipsPerPixelY());
  setGeometry(x, y, marco_.AnchoPx(), marco_.AltoPx());
  setMask(marco_.Region);
  aplicando_ = false;
  update();
}

void VentanaMarcoQt::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(Rect(marco_.PctScan), kBarra);
  p.setPen(QColor(0xA0, 0xA0, 0xA0));
  // A few grip lines say the bar can be dragged.
  const QRect barra = Rect(marco_.PctScan);
  for (int i = 0; i < 3; ++i) {
    const int yy = barra.top() + 6 + 4 * i;
    p.drawLine(barra.left() + 8, yy, barra.left() + 40, yy);
  }
  QFont f = p.font();
  f.setPixelSize(12);
  f.setBold(true);
  p.setFont(f);
  for (const Control& boton : marco_.CmdZoom) {
    const QRect r = Rect(boton);
    p.fillRect(r, kBoton);
    p.setPen(Qt::black);
    p.drawRect(r.adjusted(0, 0, -1, -1));
    p.drawText(r, Qt::AlignCenter, boton.Caption);
  }
  p.setPen(kMarco);
  p.setBrush(Qt::NoBrush);
  p.drawRect(Rect(marco_.ShpScan).adjusted(0, 0, -1, -1));
}

int VentanaMarcoQt::BotonEn(const QPoint& pos) const {
  for (int i = 0; i < 2; ++i)
    if (Rect(marco_.CmdZoom[static_cast<std::size_t>(i)]).contains(pos)) return i;
  return -1;
}

void VentanaMarcoQt::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  botonPulsado_ = BotonEn(pos);
  if (botonPulsado_ >= 0 || !Rect(marco_.PctScan).contains(pos)) return;
  // The window manager moves the window as if its caption were dragged; without one
  // the window follows the pointer itself.
  if (!startSystemMove()) arrastre_ = event->globalPosition().toPoint() - position();
}

void VentanaMarcoQt::mouseMoveEvent(QMouseEvent* event) {
  if (arrastre_) setPosition(event->globalPosition().toPoint() - *arrastre_);
}

void VentanaMarcoQt::mouseReleaseEvent(QMouseEvent* event) {
  arrastre_.reset();
  const int boton = BotonEn(event->position().toPoint());
  if (boton >= 0 && boton == botonPulsado_) marco_.CmdZoom_Click(boton);
  botonPulsado_ = -1;
}

void VentanaMarcoQt::moveEvent(QMoveEvent* event) {
  QRasterWindow::moveEvent(event);
  if (aplicando_) return;
  marco_.Movida(TwipsDePixeles(x(), marco_.TwipsPerPixelX()), TwipsDePixeles(y(), marco_.TwipsPerPixelY()));
}

}  // namespace miravela
