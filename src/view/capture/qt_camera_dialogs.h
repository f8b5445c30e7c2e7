#pragma once
// The camera dialogs as the capture control calls them, shown modal over a window.
#include <QWidget>

#include "capture/camera_dialogs.h"

namespace miravela {

class QtCameraDialogs : public CameraDialogs {
 public:
  explicit QtCameraDialogs(QWidget* parent) : parent_(parent) {}
  std::optional<StreamFormat> ChooseFormat(const QString& camera, const std::vector<FormatOption>& offered,
                                           const std::optional<StreamFormat>& current) override;
  void EditSettings(const QString& camera, DeviceControls& controls) override;

 private:
  QWidget* parent_;
};

}  // namespace miravela
