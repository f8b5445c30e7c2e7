#pragma once
// The sensor panel frame "SENSORES": the sliders with their name and value labels.
// It draws the panel model and hands the user's moves back to it.
#include <QGroupBox>
#include <array>
#include <functional>

#include "sensors/panel_sensores.h"

class QLabel;
class QScrollBar;

namespace miravela {

class SensorPanelWidget : public QGroupBox {
  Q_OBJECT
 public:
  SensorPanelWidget(PanelSensores& panel, QWidget* parent = nullptr);
  // Re-reads every shown property of the model.
  void Refresh();
  // Raised after the model has handled a move, so the window can redraw what changed
  // elsewhere (the help line, the night-vision caption).
  std::function<void()> Cambiado;

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Movido(int index, int value);
  PanelSensores& panel_;
  std::array<QScrollBar*, PanelSensores::kSensores> sliders_{};
  std::array<QLabel*, PanelSensores::kEtiquetas> labels_{};
  bool refrescando_ = false;
};

}  // namespace miravela
