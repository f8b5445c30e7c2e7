#pragma once
// The sensors as the main window shows them: the "SENSORES" panel and the row of the
// three mode buttons. The capture frame is its own top-level window (VentanaMarcoQt).
#include <QWidget>

#include "sensors/sensores.h"

namespace miravela {

class ModeButton;
class SensorPanelWidget;

class SensorsView : public QWidget {
  Q_OBJECT
 public:
  // `lblAyuda` is the main window's help line, which the buttons explain themselves on.
  SensorsView(Sensores& sensores, Control& lblAyuda, QWidget* parent = nullptr);
  void Refresh();
  // Raised after any model change made from here; the main window refreshes itself.
  std::function<void()> Cambiado;

  SensorPanelWidget* Panel() const { return panel_; }

 private:
  SensorPanelWidget* panel_;
  ModeButton* noche_;
  ModeButton* escaner_;
  ModeButton* autoajuste_;
};

}  // namespace miravela
