#pragma once
// The live preview: paints a picture box as the model drew it, lays the zone cells
// over it, and passes the pointer on to the model (a cell takes the pointer where it
// lies over the picture, as the cells sit on top of the preview).
#include <QWidget>
#include <functional>

#include "base/picture_box.h"

namespace miravela {

class ZonaVigilancia;
class SeguimientoObjeto;

class PreviewWidget : public QWidget {
  Q_OBJECT
 public:
  PreviewWidget(PictureBox& picture, ZonaVigilancia* zona, SeguimientoObjeto* seguimiento, QWidget* parent = nullptr);

  // The pointer moved over the picture outside any cell (the window hides its
  // button highlights then).
  std::function<void()> OnPictureMouseMove;

  // Re-reads the model: picture, cells and pointer shape.
  void Refresh();
  // The visible cell under a point of the widget, 0 for none; the last made is on top.
  int CellAt(QPoint pos) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  QRect CellRect(int n) const;
  void PaintCells(QPainter& painter) const;

  PictureBox& picture_;
  ZonaVigilancia* zona_;
  SeguimientoObjeto* seguimiento_;
};

}  // namespace miravela
