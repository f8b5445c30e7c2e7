#include "view/sensors/sensors_view.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "view/sensors/mode_button.h"
#include "view/sensors/sensor_panel_widget.h"

namespace miravela {

SensorsView::SensorsView(Sensores& s, Control& lblAyuda, QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  panel_ = new SensorPanelWidget(s.panel, this);
  layout->addWidget(panel_);
  auto* botones = new QHBoxLayout();
  noche_ = new ModeButton(
      s.CmdNoche, "CmdNoche", [&s] { s.noche.CmdNoche_Click(); },
      [&s, &lblAyuda] { s.noche.CmdNoche_MouseMove(lblAyuda); }, this);
  escaner_ = new ModeButton(
      s.escaner.CmdScan, "CmdScan", [&s] { s.escaner.CmdScan_Click(); },
      [&s, &lblAyuda] { s.escaner.CmdScan_MouseMove(lblAyuda); }, this);
  autoajuste_ = new ModeButton(
      s.autoajuste.CmdAutoAjuste, "CmdAutoAjuste", [&s] { s.autoajuste.CmdAutoAjuste_Click(); },
      [&s, &lblAyuda] { s.autoajuste.CmdAutoAjuste_MouseMove(lblAyuda); }, this);
  for (ModeButton* b : {noche_, escaner_, autoajuste_}) {
    botones->addWidget(b);
    b->Cambiado = [this] {
      Refresh();
      if (Cambiado) Cambiado();
    };
  }
  layout->addLayout(botones);
  panel_->Cambiado = [this] {
    Refresh();
    if (Cambiado) Cambiado();
  };
}

void SensorsView::Refresh() {
  panel_->Refresh();
  noche_->Refresh();
  escaner_->Refresh();
  autoajuste_->Refresh();
}

}  // namespace miravela
