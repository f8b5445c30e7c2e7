#include "capture/camera_control.h"

namespace miravela {

double CameraControl::AspectRatio() const {
  const QSize size = NativeSize();
  return size.height() > 0 ? static_cast<double>(size.width()) / size.height() : 0.0;
}

int CameraControl::SetBorderStyle(int style) {
  if (style != 0 && style != 1) return kErrorValorNoValido;
  borderStyle_ = style;
  borderShown_ = style == 1;
  return 0;
}

}  // namespace miravela
