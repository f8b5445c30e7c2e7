#include "view/detect/preview_widget.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

#include "base/twips.h"
#include "detect/seguimiento_objeto.h"
#include "detect/zona_vigilancia.h"

namespace miravela {

namespace {

const QColor kColorCelda(255, 255, 0);

// Mouse buttons and shift state as the model's handlers number them.
int Boton(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return 1;
    case Qt::RightButton:
      return 2;
    case Qt::MiddleButton:
      return 4;
    default:
      return 0;
  }
}

int Mayusculas(Qt::KeyboardModifiers m) {
  return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) | (m & Qt::AltModifier ? 4 : 0);
}

}  // namespace

PreviewWidget::PreviewWidget(PictureBox& picture, ZonaVigilancia* zona, SeguimientoObjeto* seguimiento, QWidget* parent)
    : QWidget(parent), picture_(picture), zona_(zona), seguimiento_(seguimiento) {
  setObjectName(QStringLiteral("Picture1"));
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Refresh();
}

void PreviewWidget::Refresh() {
  setFixedSize(picture_.WidthPixels(), picture_.HeightPixels());
  setVisible(picture_.Visible);
  if (picture_.MousePointer == kPunteroSeguimiento)
    setCursor(Qt::CrossCursor);
  else
    unsetCursor();
  update();
}

QRect PreviewWidget::CellRect(int n) const {
  const Control& celda = zona_->LblCelda(n);
  const auto px = PixelDeTwips;
  const double tx = picture_.TwipsPerPixelX(), ty = picture_.TwipsPerPixelY();
  return QRect(QPoint(px(celda.Left, tx), px(celda.Top, ty)),
               QPoint(px(celda.Left + celda.Width, tx) - 1, px(celda.Top + celda.Height, ty) - 1));
}

int PreviewWidget::CellAt(QPoint pos) const {
  if (!zona_) return 0;
  for (int n = kCeldas; n >= 1; --n)
    if (zona_->LblCelda(n).Visible && CellRect(n).contains(pos)) return n;
  return 0;
}

void PreviewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor::fromRgb(ToQRgb(picture_.BackColor)));
  painter.drawImage(QPoint(0, 0), picture_.Image());
  if (zona_) PaintCells(painter);
}

void PreviewWidget::PaintCells(QPainter& painter) const {
  for (int n = 1; n <= kCeldas; ++n) {
    const FormaCelda& forma = zona_->ShpCelda(n);
    if (!forma.Visible || forma.BorderStyle == 0) continue;
    const QRect r = CellRect(n);
    if (forma.FillStyle == 5) painter.fillRect(r, QBrush(kColorCelda, Qt::FDiagPattern));
    painter.setPen(kColorCelda);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(r.adjusted(0, 0, -1, -1));
  }
}

void PreviewWidget::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (const int n = CellAt(pos)) {
    if (event->button() == Qt::LeftButton) zona_->LblCelda_Click(n);
  } else if (seguimiento_) {
    seguimiento_->Picture1_MouseDown(Boton(event->button()), Mayusculas(event->modifiers()),
                                     pos.x() * picture_.TwipsPerPixelX(), pos.y() * picture_.TwipsPerPixelY());
  }
  update();
}

void PreviewWidget::mouseMoveEvent(QMouseEvent* event) {
  if (CellAt(event->position().toPoint()) != 0) {
    zona_->LblCelda_MouseMove();
    update();
  } else if (OnPictureMouseMove) {
    OnPictureMouseMove();
    update();
  }
}

bool PreviewWidget::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    if (const int n = CellAt(help->pos()))
      QToolTip::showText(help->globalPos(), zona_->LblCelda(n).ToolTipText, this, CellRect(n));
    else
      QToolTip::hideText();
    return true;
  }
  return QWidget::event(event);
}

}  // namespace miravela
