#pragma once
// One picture button of the bar: draws its model control and forwards the pointer.
#include <QLabel>
#include <QWidget>
#include <memory>

#include "panel/button_bar.h"

namespace miravela {

class Icono;

class ButtonWidget : public QWidget {
  Q_OBJECT
 public:
  // `rotulo` is shown in place of the drawing should the drawing be missing.
  ButtonWidget(ButtonBar& bar, int index, QString rotulo, QWidget* parent);
  ~ButtonWidget() override;
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
  std::unique_ptr<Icono> icono_;
  QString rotulo_;
  QLabel* etiqueta_ = nullptr;  // the slot number over a camera button
};

}  // namespace miravela
