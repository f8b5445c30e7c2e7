#include "capture/format_choices.h"

#include <linux/videodev2.h>

#include <algorithm>

namespace miravela {

QStringList PixelFormatsOffered(const std::vector<FormatOption>& offered) {
  QStringList formats;
  for (const FormatOption& option : offered)
    if (!formats.contains(option.pixelFormat)) formats << option.pixelFormat;
  return formats;
}

std::vector<QSize> SizesOffered(const std::vector<FormatOption>& offered, const QString& pixelFormat) {
  std::vector<QSize> sizes;
  for (const FormatOption& option : offered)
    if (option.pixelFormat == pixelFormat && std::find(sizes.begin(), sizes.end(), option.size) == sizes.end())
      sizes.push_back(option.size);
  return sizes;
}

std::vector<FrameRate> RatesOffered(const std::vector<FormatOption>& offered, const QString& pixelFormat, QSize size) {
  std::vector<FrameRate> rates;
  for (const FormatOption& option : offered) {
    if (option.pixelFormat != pixelFormat || option.size != size) continue;
    for (const FrameRate& rate : option.rates)
      if (rate.Valid() && std::find(rates.begin(), rates.end(), rate) == rates.end()) rates.push_back(rate);
  }
  return rates;
}

QString PixelFormatLabel(const std::vector<FormatOption>& offered, const QString& pixelFormat) {
  for (const FormatOption& option : offered)
    if (option.pixelFormat == pixelFormat && !option.description.isEmpty()) return option.description;
  return pixelFormat;
}

QString ControlLabel(std::uint32_t id, const QString& driverName) {
  struct Label {
    std::uint32_t id;
    const char* text;
  };
  static constexpr Label kLabels[] = {
      {V4L2_CID_BRIGHTNESS, "Brillo"},
      {V4L2_CID_CONTRAST, "Contraste"},
      {V4L2_CID_SATURATION, "Saturación"},
      {V4L2_CID_HUE, "Tono"},
      {V4L2_CID_GAMMA, "Gamma"},
      {V4L2_CID_GAIN, "Ganancia"},
      {V4L2_CID_SHARPNESS, "Nitidez"},
      {V4L2_CID_BACKLIGHT_COMPENSATION, "Compensación de contraluz"},
      {V4L2_CID_POWER_LINE_FREQUENCY, "Frecuencia de la red eléctrica"},
      {V4L2_CID_AUTO_WHITE_BALANCE, "Balance de blancos automático"},
      {V4L2_CID_WHITE_BALANCE_TEMPERATURE, "Temperatura de color"},
      {V4L2_CID_HUE_AUTO, "Tono automático"},
      {V4L2_CID_AUTOGAIN, "Ganancia automática"},
      {V4L2_CID_HFLIP, "Voltear horizontalmente"},
      {V4L2_CID_VFLIP, "Voltear verticalmente"},
      {V4L2_CID_EXPOSURE_AUTO, "Exposición automática"},
      {V4L2_CID_EXPOSURE_ABSOLUTE, "Exposición"},
      {V4L2_CID_EXPOSURE_AUTO_PRIORITY, "Prioridad de exposición"},
      {V4L2_CID_FOCUS_ABSOLUTE, "Enfoque"},
      {V4L2_CID_FOCUS_AUTO, "Enfoque automático"},
      {V4L2_CID_ZOOM_ABSOLUTE, "Zoom"},
      {V4L2_CID_PAN_ABSOLUTE, "Giro horizontal"},
      {V4L2_CID_TILT_ABSOLUTE, "Giro vertical"},
  };
  for (const Label& label : kLabels)
    if (label.id == id) return QString::fromUtf8(label.text);
  return driverName;
}

}  // namespace miravela
