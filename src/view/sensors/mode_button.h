#pragma once
// A command button of the sensors (night vision, screen capturer, auto-adjust): draws
// its model control and forwards the click and the pointer.
#include <QPushButton>
#include <functional>

#include "base/control.h"

namespace miravela {

class ModeButton : public QPushButton {
  Q_OBJECT
 public:
  ModeButton(const Control& control, QString name, std::function<void()> click, std::function<void()> hover,
             QWidget* parent = nullptr);
  void Refresh();
  // Raised after the model has handled a click or a hover.
  std::function<void()> Cambiado;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  const Control& control_;
  std::function<void()> hover_;
};

}  // namespace miravela
