#include "capture/v4l2_device.h"

#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace miravela {
namespace {

// Closes the node on every way out.
class DeviceFd {
 public:
  explicit DeviceFd(const QString& path)
      : fd_(::open(path.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC)) {}
  ~DeviceFd() {
    if (fd_ >= 0) ::close(fd_);
  }
  DeviceFd(const DeviceFd&) = delete;
  DeviceFd& operator=(const DeviceFd&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

int Xioctl(int fd, unsigned long request, void* arg) {
  int result;
  do {
    result = ::ioctl(fd, request, arg);
  } while (result < 0 && errno == EINTR);
  return result;
}

QString FixedText(const unsigned char* text, size_t size) {
  return QString::fromUtf8(reinterpret_cast<const char*>(text), qstrnlen(reinterpret_cast<const char*>(text), size));
}

std::vector<FrameRate> QueryRates(int fd, std::uint32_t fourcc, QSize size) {
  std::vector<FrameRate> rates;
  v4l2_frmivalenum ival{};
  ival.pixel_format = fourcc;
  ival.width = static_cast<std::uint32_t>(size.width());
  ival.height = static_cast<std::uint32_t>(size.height());
  for (ival.index = 0; Xioctl(fd, VIDIOC_ENUM_FRAMEINTERVALS, &ival) == 0; ++ival.index) {
    // An interval of n/d seconds is a rate of d/n frames a second.
    if (ival.type == V4L2_FRMIVAL_TYPE_DISCRETE) {
      rates.push_back({static_cast<int>(ival.discrete.denominator), static_cast<int>(ival.discrete.numerator)});
    } else {
      // Continuous or stepwise ranges: offer the ends, the fastest first.
      rates.push_back({static_cast<int>(ival.stepwise.min.denominator), static_cast<int>(ival.stepwise.min.numerator)});
      rates.push_back({static_cast<int>(ival.stepwise.max.denominator), static_cast<int>(ival.stepwise.max.numerator)});
      break;
    }
  }
  return rates;
}

std::vector<QSize> QuerySizes(int fd, std::uint32_t fourcc) {
  std::vector<QSize> sizes;
  v4l2_frmsizeenum frame{};
  frame.pixel_format = fourcc;
  for (frame.index = 0; Xioctl(fd, VIDIOC_ENUM_FRAMESIZES, &frame) == 0; ++frame.index) {
    if (frame.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
      sizes.emplace_back(static_cast<int>(frame.discrete.width), static_cast<int>(frame.discrete.height));
    } else {
      sizes.emplace_back(static_cast<int>(frame.stepwise.max_width), static_cast<int>(frame.stepwise.max_height));
      sizes.emplace_back(static_cast<int>(frame.stepwise.min_width), static_cast<int>(frame.stepwise.min_height));
      break;
    }
  }
  return sizes;
}

ControlKind KindOf(std::uint32_t type) {
  switch (type) {
    case V4L2_CTRL_TYPE_BOOLEAN:
      return ControlKind::Boolean;
    case V4L2_CTRL_TYPE_MENU:
    case V4L2_CTRL_TYPE_INTEGER_MENU:
      return ControlKind::Menu;
    case V4L2_CTRL_TYPE_BUTTON:
      return ControlKind::Button;
    default:
      return ControlKind::Integer;
  }
}

bool EditableType(std::uint32_t type) {
  return type == V4L2_CTRL_TYPE_INTEGER || type == V4L2_CTRL_TYPE_BOOLEAN || type == V4L2_CTRL_TYPE_MENU ||
         type == V4L2_CTRL_TYPE_INTEGER_MENU || type == V4L2_CTRL_TYPE_BUTTON;
}

std::vector<std::pair<int, QString>> QueryMenu(int fd, const v4l2_queryctrl& query) {
  std::vector<std::pair<int, QString>> items;
  for (int i = query.minimum; i <= query.maximum; ++i) {
    v4l2_querymenu menu{};
    menu.id = query.id;
    menu.index = static_cast<std::uint32_t>(i);
    if (Xioctl(fd, VIDIOC_QUERYMENU, &menu) != 0) continue;
    const QString label = query.type == V4L2_CTRL_TYPE_INTEGER_MENU ? QString::number(menu.value)
                                                                    : FixedText(menu.name, sizeof menu.name);
    items.emplace_back(i, label);
  }
  return items;
}

}  // namespace

std::optional<QString> CaptureCardName(const QString& devicePath) {
  DeviceFd fd(devicePath);
  if (fd.get() < 0) return std::nullopt;
  v4l2_capability caps{};
  if (Xioctl(fd.get(), VIDIOC_QUERYCAP, &caps) != 0) return std::nullopt;
  // A camera often has a second node for metadata; only the capture node is a camera.
  const std::uint32_t nodeCaps = (caps.capabilities & V4L2_CAP_DEVICE_CAPS) ? caps.device_caps : caps.capabilities;
  if (!(nodeCaps & V4L2_CAP_VIDEO_CAPTURE)) return std::nullopt;
  return FixedText(caps.card, sizeof caps.card).trimmed();
}

QString PixelFormatName(std::uint32_t fourcc) {
  switch (fourcc) {
    case V4L2_PIX_FMT_MJPEG:
    case V4L2_PIX_FMT_JPEG:
      return QStringLiteral("mjpeg");
    case V4L2_PIX_FMT_H264:
      return QStringLiteral("h264");
    case V4L2_PIX_FMT_YUYV:
      return QStringLiteral("yuyv422");
    case V4L2_PIX_FMT_YVYU:
      return QStringLiteral("yvyu422");
    case V4L2_PIX_FMT_UYVY:
      return QStringLiteral("uyvy422");
    case V4L2_PIX_FMT_YUV420:
      return QStringLiteral("yuv420p");
    case V4L2_PIX_FMT_NV12:
      return QStringLiteral("nv12");
    case V4L2_PIX_FMT_NV21:
      return QStringLiteral("nv21");
    case V4L2_PIX_FMT_RGB24:
      return QStringLiteral("rgb24");
    case V4L2_PIX_FMT_BGR24:
      return QStringLiteral("bgr24");
    case V4L2_PIX_FMT_GREY:
      return QStringLiteral("gray");
    default:
      return {};
  }
}

std::vector<FormatOption> QueryDeviceFormats(const QString& devicePath) {
  std::vector<FormatOption> options;
  DeviceFd fd(devicePath);
  if (fd.get() < 0) return options;
  v4l2_fmtdesc desc{};
  desc.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  for (desc.index = 0; Xioctl(fd.get(), VIDIOC_ENUM_FMT, &desc) == 0; ++desc.index) {
    const QString name = PixelFormatName(desc.pixelformat);
    if (name.isEmpty()) continue;
    const QString description = FixedText(desc.description, sizeof desc.description);
    for (const QSize& size : QuerySizes(fd.get(), desc.pixelformat))
      options.push_back({name, description, size, QueryRates(fd.get(), desc.pixelformat, size)});
  }
  return options;
}

V4l2Controls::V4l2Controls(const QString& devicePath)
    : fd_(::open(devicePath.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC)) {}

V4l2Controls::~V4l2Controls() {
  if (fd_ >= 0) ::close(fd_);
}

std::vector<DeviceControl> V4l2Controls::List() {
  std::vector<DeviceControl> controls;
  if (fd_ < 0) return controls;
  v4l2_queryctrl query{};
  query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
  while (Xioctl(fd_, VIDIOC_QUERYCTRL, &query) == 0) {
    const bool usable = !(query.flags & V4L2_CTRL_FLAG_DISABLED) && EditableType(query.type);
    if (usable) {
      DeviceControl control;
      control.id = query.id;
      control.name = FixedText(query.name, sizeof query.name);
      control.kind = KindOf(query.type);
      control.minimum = query.minimum;
      control.maximum = query.maximum;
      control.step = query.step > 0 ? query.step : 1;
      control.defaultValue = query.default_value;
      control.readOnly = (query.flags & (V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_GRABBED)) != 0;
      if (control.kind == ControlKind::Menu) control.menu = QueryMenu(fd_, query);
      control.value = Get(query.id).value_or(query.default_value);
      controls.push_back(std::move(control));
    }
    query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
  }
  return controls;
}

std::optional<int> V4l2Controls::Get(std::uint32_t id) {
  if (fd_ < 0) return std::nullopt;
  v4l2_control control{};
  control.id = id;
  if (Xioctl(fd_, VIDIOC_G_CTRL, &control) != 0) return std::nullopt;
  return control.value;
}

bool V4l2Controls::Set(std::uint32_t id, int value) {
  if (fd_ < 0) return false;
  v4l2_control control{};
  control.id = id;
  control.value = value;
  return Xioctl(fd_, VIDIOC_S_CTRL, &control) == 0;
}

}  // namespace miravela
