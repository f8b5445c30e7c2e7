#include "capture/format_choices.h"

#include <gtest/gtest.h>
#include <linux/videodev2.h>

#include "capture/v4l2_device.h"

namespace miravela {
namespace {

const std::vector<FormatOption> kDevice{
    {"mjpeg", "Motion-JPEG", QSize(1280, 720), {{30, 1}, {15, 1}}},
    {"yuyv422", "YUYV 4:2:2", QSize(640, 480), {{30, 1}, {15, 1}, {30, 1}}},
    {"mjpeg", "Motion-JPEG", QSize(640, 480), {{30, 1}}},
    {"yuyv422", "", QSize(320, 240), {{30, 1}, {}}},
    {"mjpeg", "Motion-JPEG", QSize(1280, 720), {{60, 1}}},
};

TEST(FormatChoices, NarrowFromPixelsToSizeToRate) {
  EXPECT_EQ(PixelFormatsOffered(kDevice), (QStringList{"mjpeg", "yuyv422"}));
  EXPECT_EQ(SizesOffered(kDevice, "mjpeg"), (std::vector<QSize>{QSize(1280, 720), QSize(640, 480)}));
  EXPECT_EQ(SizesOffered(kDevice, "nv12"), std::vector<QSize>{});
  EXPECT_EQ(RatesOffered(kDevice, "mjpeg", QSize(1280, 720)), (std::vector<FrameRate>{{30, 1}, {15, 1}, {60, 1}}));
  EXPECT_EQ(RatesOffered(kDevice, "yuyv422", QSize(640, 480)), (std::vector<FrameRate>{{30, 1}, {15, 1}}));
  EXPECT_EQ(RatesOffered(kDevice, "yuyv422", QSize(320, 240)), (std::vector<FrameRate>{{30, 1}}));
  EXPECT_EQ(PixelFormatLabel(kDevice, "yuyv422"), "YUYV 4:2:2");
  EXPECT_EQ(PixelFormatLabel(kDevice, "gray"), "gray");
}

TEST(ControlLabel, KnownControlsInSpanishOthersAsTheDriverNamesThem) {
  EXPECT_EQ(ControlLabel(V4L2_CID_BRIGHTNESS, "Brightness"), "Brillo");
  EXPECT_EQ(ControlLabel(V4L2_CID_EXPOSURE_ABSOLUTE, "Exposure Time, Absolute"), QString::fromUtf8("Exposición"));
  EXPECT_EQ(ControlLabel(0x009a0999, "LED1 Mode"), "LED1 Mode");
}

TEST(PixelFormatName, DeviceCodesAsTheDecoderNamesThem) {
  EXPECT_EQ(PixelFormatName(V4L2_PIX_FMT_MJPEG), "mjpeg");
  EXPECT_EQ(PixelFormatName(V4L2_PIX_FMT_JPEG), "mjpeg");
  EXPECT_EQ(PixelFormatName(V4L2_PIX_FMT_YUYV), "yuyv422");
  EXPECT_EQ(PixelFormatName(V4L2_PIX_FMT_H264), "h264");
  EXPECT_EQ(PixelFormatName(V4L2_PIX_FMT_SGRBG10), "");  // raw sensor data we cannot take
}

}  // namespace
}  // namespace miravela
