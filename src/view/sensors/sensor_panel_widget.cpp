#include "view/sensors/sensor_panel_widget.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>

#include "view/colors.h"

namespace miravela {

namespace {
// Row of each slider: its name label (or -1), the slider, its value label.
struct Fila {
  int nombre, slider, valor;
};
constexpr std::array<Fila, 7> kFilas = {{
    {0, kMovimiento, 1},
    {2, kColor, 3},
    {4, kFrecuencia, 5},
    {11, kDensidad, 12},
    {-1, kZoom, 13},
    {-1, kResolucion, 9},
    {-1, kNivelNoche, -1},
}};
}  // namespace

SensorPanelWidget::SensorPanelWidget(PanelSensores& panel, QWidget* parent)
    : QGroupBox(panel.FraSensor.Caption, parent), panel_(panel) {
  setObjectName("FraSensor");
  setMouseTracking(true);
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(2);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QStringLiteral("LblSensor%1").arg(i));
    labels_[i]->setMouseTracking(true);
    labels_[i]->installEventFilter(this);
  }
  int row = 0;
  for (const Fila& f : kFilas) {
    auto* slider = new QScrollBar(Qt::Horizontal, this);
    slider->setObjectName(QStringLiteral("HsbSensor%1").arg(f.slider));
    slider->setMinimumWidth(140);
    sliders_[static_cast<std::size_t>(f.slider)] = slider;
    const int index = f.slider;
    connect(slider, &QScrollBar::valueChanged, this, [this, index](int v) { Movido(index, v); });
    if (f.nombre >= 0) grid->addWidget(labels_[static_cast<std::size_t>(f.nombre)], row, 0);
    grid->addWidget(slider, row, 1);
    if (f.valor >= 0) grid->addWidget(labels_[static_cast<std::size_t>(f.valor)], row, 2);
    ++row;
  }
  // The zone share and the tracked-colour swatch sit below the sliders.
  grid->addWidget(labels_[10], row, 0);
  grid->addWidget(labels_[7], row, 2);
  ++row;
  grid->addWidget(labels_[6], row, 0);
  labels_[8]->setMinimumSize(40, 14);
  labels_[8]->setAutoFillBackground(true);
  grid->addWidget(labels_[8], row, 2);
  Refresh();
}

void SensorPanelWidget::Movido(int index, int value) {
  if (refrescando_) return;
  panel_.Mover(index, value);
  Refresh();
  if (Cambiado) Cambiado();
}

void SensorPanelWidget::Refresh() {
  refrescando_ = true;
  setTitle(panel_.FraSensor.Caption);
  for (std::size_t i = 0; i < sliders_.size(); ++i) {
    const ScrollBar& m = panel_.HsbSensor[i];
    QScrollBar* s = sliders_[i];
    s->setRange(m.Min, m.Max);
    s->setSingleStep(m.SmallChange);
    s->setPageStep(m.LargeChange);
    if (s->value() != m.Value) s->setValue(m.Value);
    s->setVisible(m.Visible);
    s->setEnabled(m.Enabled);
  }
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    const Control& c = panel_.LblSensor[i];
    labels_[i]->setText(c.Caption);
    labels_[i]->setVisible(c.Visible);
    labels_[i]->setEnabled(c.Enabled);
  }
  FijarEstilo(labels_[8], QStringLiteral("background: %1;").arg(ToQColor(panel_.LblSensor[8].BackColor).name()));
  refrescando_ = false;
}

void SensorPanelWidget::mouseMoveEvent(QMouseEvent* event) {
  QGroupBox::mouseMoveEvent(event);
  panel_.FraSensor_MouseMove();
  if (Cambiado) Cambiado();
}

bool SensorPanelWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    panel_.FraSensor_MouseMove();
    if (Cambiado) Cambiado();
  }
  return QGroupBox::eventFilter(watched, event);
}

}  // namespace miravela
