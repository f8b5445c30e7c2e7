#pragma once
// The camera's settings dialog: one row per device control (sliders for levels,
// boxes for switches, lists for menus), applied to the device as the user moves them.
#include <QDialog>
#include <functional>
#include <vector>

#include "capture/v4l2_device.h"

class QGridLayout;

namespace miravela {

class DeviceSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  DeviceSettingsDialog(const QString& camera, DeviceControls& controls, QWidget* parent = nullptr);

 private:
  void AddRow(QGridLayout* grid, int row, const DeviceControl& control);
  QWidget* Slider(const DeviceControl& control);
  QWidget* Switch(const DeviceControl& control);
  QWidget* Menu(const DeviceControl& control);
  QWidget* Button(const DeviceControl& control);
  void Apply(std::uint32_t id, int value);
  void ResetAll();

  DeviceControls& controls_;
  std::vector<DeviceControl> list_;
  // Puts each editor back on a value, without applying it again.
  std::vector<std::function<void(int)>> showValue_;
};

}  // namespace miravela
