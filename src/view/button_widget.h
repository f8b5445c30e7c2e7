#pragma once
// One picture button of the bar: draws its model control and forwards the pointer.
#include <QWidget>

#include "panel/button_bar.h"

namespace miravela {

class ButtonWidget : public QWidget {
  Q_OBJECT
 public:
  ButtonWidget(ButtonBar& bar, int index, QString glyph, QWidget* parent);
  void Refresh();

 protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;
  void enterEvent(QEnterEvent*) override;

 private:
  ButtonBar& bar_;
  int index_;
  QString glyph_;
};

}  // namespace miravela
