#include "view/button_widget.h"

#include <QMouseEvent>
#include <QPainter>

#include "view/colors.h"

namespace miravela {

ButtonWidget::ButtonWidget(ButtonBar& bar, int index, QString glyph, QWidget* parent)
    : QWidget(parent), bar_(bar), index_(index), glyph_(std::move(glyph)) {
  setMouseTracking(true);
  setFixedSize(30, 30);
  setObjectName(QStringLiteral("PctBoton%1").arg(index));
}

void ButtonWidget::Refresh() {
  const Control& c = bar_.PctBoton[static_cast<std::size_t>(index_)];
  setVisible(c.Visible);
  setEnabled(c.Enabled);
  update();
}

void ButtonWidget::paintEvent(QPaintEvent*) {
  const Control& c = bar_.PctBoton[static_cast<std::size_t>(index_)];
  QPainter p(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  p.fillRect(r, ToQColor(c.BackColor));
  // A raised frame shows a toggle that is on.
  p.setPen(c.Appearance == 1 ? QColor(Qt::white) : QColor(0x80, 0x80, 0x80));
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(c.Appearance == 1 ? QColor(0x30, 0x30, 0x30) : QColor(0x80, 0x80, 0x80));
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  QFont f = font();
  f.setPixelSize(glyph_.size() > 2 ? 9 : 14);
  f.setBold(true);
  p.setFont(f);
  p.setPen(isEnabled() ? QColor(0x20, 0x20, 0x20) : QColor(0x90, 0x90, 0x90));
  p.drawText(r, Qt::AlignCenter, glyph_);
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
