#include "view/capture/qt_camera_dialogs.h"

#include "view/capture/device_settings_dialog.h"
#include "view/capture/stream_format_dialog.h"

namespace miravela {

std::optional<StreamFormat> QtCameraDialogs::ChooseFormat(const QString& camera,
                                                          const std::vector<FormatOption>& offered,
                                                          const std::optional<StreamFormat>& current) {
  StreamFormatDialog dialog(camera, offered, current, parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

void QtCameraDialogs::EditSettings(const QString& camera, DeviceControls& controls) {
  DeviceSettingsDialog dialog(camera, controls, parent_);
  dialog.exec();
}

}  // namespace miravela
