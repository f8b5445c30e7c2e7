#pragma once
// The two configuration dialogs of a camera, as the capture control calls them. The
// widgets live in the view; tests record the calls.
#include <QString>
#include <optional>
#include <vector>

#include "capture/stream_format.h"
#include "capture/v4l2_device.h"

namespace miravela {

class CameraDialogs {
 public:
  virtual ~CameraDialogs() = default;
  // Modal. The format chosen, or nothing when the user cancels or nothing is offered.
  virtual std::optional<StreamFormat> ChooseFormat(const QString& camera, const std::vector<FormatOption>& offered,
                                                   const std::optional<StreamFormat>& current) = 0;
  // Modal. Changes apply to the device as the user makes them.
  virtual void EditSettings(const QString& camera, DeviceControls& controls) = 0;
};

}  // namespace miravela
