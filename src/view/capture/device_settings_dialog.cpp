#include "view/capture/device_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QVBoxLayout>

#include "capture/format_choices.h"

namespace miravela {

DeviceSettingsDialog::DeviceSettingsDialog(const QString& camera, DeviceControls& controls, QWidget* parent)
    : QDialog(parent), controls_(controls), list_(controls.List()) {
  setWindowTitle(QStringLiteral("Miravela - Ajustes de la Cámara"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Cámara: %1").arg(camera)));
  auto* buttons = new QDialogButtonBox(this);
  if (list_.empty()) {
    layout->addWidget(new QLabel(QStringLiteral("Esta cámara no tiene ajustes que se puedan cambiar.")));
  } else {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    for (size_t i = 0; i < list_.size(); ++i) AddRow(grid, static_cast<int>(i), list_[i]);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(static_cast<int>(list_.size()), 1);  // rows stay together at the top
    auto* scroll = new QScrollArea(this);
    scroll->setWidget(page);
    scroll->setWidgetResizable(true);
    layout->addWidget(scroll);
    QPushButton* defaults = buttons->addButton(QStringLiteral("Valores predeterminados"), QDialogButtonBox::ResetRole);
    connect(defaults, &QPushButton::clicked, this, [this] { ResetAll(); });
  }
  buttons->addButton(QStringLiteral("Cerrar"), QDialogButtonBox::AcceptRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  layout->addWidget(buttons);
  resize(460, 420);
}

void DeviceSettingsDialog::AddRow(QGridLayout* grid, int row, const DeviceControl& control) {
  grid->addWidget(new QLabel(ControlLabel(control.id, control.name)), row, 0);
  QWidget* editor = nullptr;
  switch (control.kind) {
    case ControlKind::Integer:
      editor = Slider(control);
      break;
    case ControlKind::Boolean:
      editor = Switch(control);
      break;
    case ControlKind::Menu:
      editor = Menu(control);
      break;
    case ControlKind::Button:
      editor = Button(control);
      break;
  }
  editor->setEnabled(!control.readOnly);
  grid->addWidget(editor, row, 1);
}

QWidget* DeviceSettingsDialog::Slider(const DeviceControl& control) {
  auto* box = new QWidget;
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(0, 0, 0, 0);
  auto* slider = new QSlider(Qt::Horizontal);
  auto* number = new QLabel;
  number->setMinimumWidth(48);
  slider->setRange(control.minimum, control.maximum);
  slider->setSingleStep(control.step);
  slider->setPageStep(std::max(control.step, (control.maximum - control.minimum) / 10));
  slider->setValue(control.value);
  number->setNum(control.value);
  row->addWidget(slider, 1);
  row->addWidget(number);
  const std::uint32_t id = control.id;
  connect(slider, &QSlider::valueChanged, this, [this, id, number](int value) {
    number->setNum(value);
    Apply(id, value);
  });
  showValue_.push_back([slider, number](int value) {
    const QSignalBlocker block(slider);
    slider->setValue(value);
    number->setNum(value);
  });
  return box;
}

QWidget* DeviceSettingsDialog::Switch(const DeviceControl& control) {
  auto* check = new QCheckBox(QStringLiteral("Activado"));
  check->setChecked(control.value != 0);
  const std::uint32_t id = control.id;
  connect(check, &QCheckBox::toggled, this, [this, id](bool on) { Apply(id, on ? 1 : 0); });
  showValue_.push_back([check](int value) {
    const QSignalBlocker block(check);
    check->setChecked(value != 0);
  });
  return check;
}

QWidget* DeviceSettingsDialog::Menu(const DeviceControl& control) {
  auto* list = new QComboBox;
  for (const auto& [value, label] : control.menu) list->addItem(label, value);
  list->setCurrentIndex(list->findData(control.value));
  const std::uint32_t id = control.id;
  connect(list, &QComboBox::currentIndexChanged, this, [this, id, list] { Apply(id, list->currentData().toInt()); });
  showValue_.push_back([list](int value) {
    const QSignalBlocker block(list);
    list->setCurrentIndex(list->findData(value));
  });
  return list;
}

QWidget* DeviceSettingsDialog::Button(const DeviceControl& control) {
  auto* button = new QPushButton(QStringLiteral("Ejecutar"));
  const std::uint32_t id = control.id;
  connect(button, &QPushButton::clicked, this, [this, id] { Apply(id, 1); });
  showValue_.push_back([](int) {});
  return button;
}

void DeviceSettingsDialog::Apply(std::uint32_t id, int value) {
  controls_.Set(id, value);
  // The device may round the value or refuse it; show what it holds.
  for (size_t i = 0; i < list_.size(); ++i)
    if (list_[i].id == id && list_[i].kind != ControlKind::Button)
      if (const std::optional<int> held = controls_.Get(id)) showValue_[i](*held);
}

void DeviceSettingsDialog::ResetAll() {
  for (size_t i = 0; i < list_.size(); ++i) {
    const DeviceControl& control = list_[i];
    if (control.readOnly || control.kind == ControlKind::Button) continue;
    controls_.Set(control.id, control.defaultValue);
    showValue_[i](controls_.Get(control.id).value_or(control.defaultValue));
  }
}

}  // namespace miravela
