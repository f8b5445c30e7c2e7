#include "view/button_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "view/colors.h"
#include "view/panel/panel_icons.h"

namespace miravela {

namespace {

// The slot number laid over a camera button; it answers the pointer as its button does.
class SlotLabel : public QLabel {
 public:
  SlotLabel(ButtonBar& bar, int index, QWidget* parent) : QLabel(parent), bar_(bar), index_(index) {
    setObjectName(QStringLiteral("LblBoton%1").arg(index));
    setMouseTracking(true);
    setAlignment(Qt::AlignCenter);
    QFont f = font();
    f.setPixelSize(10);
    f.setBold(true);
    setFont(f);
    setStyleSheet(QStringLiteral("color: #1c2a1c; background: transparent;"));
  }

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    if (e->button() == Qt::LeftButton) bar_.PctBoton_MouseDown(index_ + ButtonBar::kPrimerBotonCamara);
    parentWidget()->update();
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    if (e->button() != Qt::LeftButton) return;
    bar_.PctBoton_MouseUp(index_ + ButtonBar::kPrimerBotonCamara);
    if (rect().contains(e->position().toPoint())) bar_.LblBoton_Click(index_);
    window()->update();
  }
  void mouseMoveEvent(QMouseEvent*) override {
    bar_.LblBoton_MouseMove(index_);
    window()->update();
  }

 private:
  ButtonBar& bar_;
  int index_;
};

}  // namespace

ButtonWidget::ButtonWidget(ButtonBar& bar, int index, QString rotulo, QWidget* parent)
    : QWidget(parent),
      bar_(bar),
      index_(index),
      icono_(std::make_unique<Icono>(IconoBoton(index))),
      rotulo_(std::move(rotulo)) {
  setMouseTracking(true);
  setFixedSize(30, 30);
  setObjectName(QStringLiteral("PctBoton%1").arg(index));
  const int etiqueta = index - ButtonBar::kPrimerBotonCamara;
  if (etiqueta >= 0 && etiqueta < ButtonBar::kEtiquetas) {
    etiqueta_ = new SlotLabel(bar, etiqueta, this);
    etiqueta_->setGeometry(0, 16, 30, 13);
  }
}

ButtonWidget::~ButtonWidget() = default;

void ButtonWidget::Refresh() {
  const Control& c = bar_.PctBoton[static_cast<std::size_t>(index_)];
  setVisible(c.Visible);
  setEnabled(c.Enabled);
  if (etiqueta_) etiqueta_->setText(bar_.LblBoton[static_cast<std::size_t>(index_ - 8)].Caption);
  update();
}

void ButtonWidget::paintEvent(QPaintEvent*) {
  const Control& c = bar_.PctBoton[static_cast<std::size_t>(index_)];
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  p.fillRect(r, ToQColor(c.BackColor));
  // Held down: sunken, the drawing nudged in. A toggle that is on stands raised;
  // one that is off lies flat with a thin rim.
  const bool abajo = c.BackColor == kColorPulsado;
  const QColor luz(Qt::white), sombra(0x40, 0x40, 0x40), plano(0x90, 0xA8, 0x90);
  const QColor arriba = abajo ? sombra : c.Appearance == 1 ? luz : plano;
  const QColor debajo = abajo ? luz : c.Appearance == 1 ? sombra : plano;
  p.setRenderHint(QPainter::Antialiasing, false);
  for (int grosor = 0; grosor < (c.Appearance == 1 || abajo ? 2 : 1); ++grosor) {
    const QRect b = r.adjusted(grosor, grosor, -grosor, -grosor);
    p.setPen(arriba);
    p.drawLine(b.topLeft(), b.topRight());
    p.drawLine(b.topLeft(), b.bottomLeft());
    p.setPen(debajo);
    p.drawLine(b.bottomLeft(), b.bottomRight());
    p.drawLine(b.topRight(), b.bottomRight());
  }
  p.setRenderHint(QPainter::Antialiasing);
  const QPointF desplazamiento = abajo ? QPointF(1, 1) : QPointF(0, 0);
  const QRectF area = etiqueta_ ? QRectF(5, 3, 20, 14) : QRectF(4, 4, 22, 22);
  if (icono_->Valido()) return icono_->Dibujar(p, area.translated(desplazamiento), isEnabled());
  QFont f = font();
  f.setPixelSize(9);
  f.setBold(true);
  p.setFont(f);
  p.setPen(isEnabled() ? QColor(0x20, 0x20, 0x20) : QColor(0x90, 0x90, 0x90));
  p.drawText(area.translated(desplazamiento), Qt::AlignCenter, rotulo_);
}

void ButtonWidget::mousePressEvent(QMouseEvent* e) {
  if (e->button() == Qt::LeftButton) bar_.PctBoton_MouseDown(index_);
  update();
}

void ButtonWidget::mouseReleaseEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  bar_.PctBoton_MouseUp(index_);
  if (rect().contains(e->position().toPoint())) bar_.PctBoton_Click(index_);
  window()->update();
}

void ButtonWidget::mouseMoveEvent(QMouseEvent*) {
  bar_.PctBoton_MouseMove(index_);
  window()->update();
}

void ButtonWidget::enterEvent(QEnterEvent*) {
  bar_.PctBoton_MouseMove(index_);
  window()->update();
}

}  // namespace miravela
