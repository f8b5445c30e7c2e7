#include "capture/stream_format.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace miravela {
namespace {

TEST(StreamFormatFile, SavedFormatLoadsBack) {
  QTemporaryDir dir;
  const QString path = dir.filePath("Miravela.CFG");
  const StreamFormat format{QSize(1280, 720), {30000, 1001}, "mjpeg"};
  ASSERT_TRUE(SaveFormatFile(path, format));
  EXPECT_EQ(LoadFormatFile(path), format);
  // A read-only file is still rewritten.
  QFile::setPermissions(path, QFile::ReadOwner);
  const StreamFormat other{QSize(640, 480), {}, "yuyv422"};
  ASSERT_TRUE(SaveFormatFile(path, other));
  EXPECT_EQ(LoadFormatFile(path), other);
}

TEST(StreamFormatFile, MissingFileIsNoFormat) {
  QTemporaryDir dir;
  EXPECT_EQ(LoadFormatFile(dir.filePath("nada.CFG")), std::nullopt);
}

class CorruptFormat : public ::testing::TestWithParam<const char*> {};

TEST_P(CorruptFormat, IsNotAFormat) { EXPECT_EQ(ParseFormat(GetParam()), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(Texts, CorruptFormat,
                         ::testing::Values("", "\x01\x02\xff\xfe garbage", "size=640x480\nrate=30/1\n",
                                           "size=640x\nrate=30/1\npixel_format=mjpeg\n",
                                           "size=0x480\nrate=30/1\npixel_format=mjpeg\n",
                                           "size=99999x480\nrate=30/1\npixel_format=mjpeg\n",
                                           "size=640x480\nrate=30/0\npixel_format=mjpeg\n",
                                           "size=640x480\nrate=-5\npixel_format=mjpeg\n",
                                           "size=640x480\nrate=30/1\npixel_format=MJ PG\n",
                                           "size=640x480\nrate=30/1\npixel_format=mjpeg\ncolour=blue\n"));

TEST(StreamFormat, ParsesWithBlanksAndWholeRates) {
  EXPECT_EQ(ParseFormat(" size = 320x240 \r\n rate = 15 \r\npixel_format=gray\r\n"),
            (StreamFormat{QSize(320, 240), {15, 1}, "gray"}));
}

struct OfferCase {
  const char* label;
  StreamFormat format;
  bool offered;
};

class FormatOfferedTest : public ::testing::TestWithParam<OfferCase> {};

TEST_P(FormatOfferedTest, MatchesDeviceList) {
  const std::vector<FormatOption> device{
      {"yuyv422", "YUYV 4:2:2", QSize(640, 480), {{30, 1}, {15, 1}}},
      {"mjpeg", "Motion-JPEG", QSize(1280, 720), {{30, 1}}},
  };
  EXPECT_EQ(FormatOffered(device, GetParam().format), GetParam().offered);
}

INSTANTIATE_TEST_SUITE_P(Cases, FormatOfferedTest,
                         ::testing::Values(OfferCase{"listed", {QSize(640, 480), {15, 1}, "yuyv422"}, true},
                                           OfferCase{"equal_fraction", {QSize(1280, 720), {60, 2}, "mjpeg"}, true},
                                           OfferCase{"any_rate", {QSize(1280, 720), {}, "mjpeg"}, true},
                                           OfferCase{"rate_not_listed", {QSize(640, 480), {60, 1}, "yuyv422"}, false},
                                           OfferCase{
                                               "size_of_other_format", {QSize(1280, 720), {30, 1}, "yuyv422"}, false},
                                           OfferCase{"unknown_pixels", {QSize(640, 480), {30, 1}, "nv12"}, false}),
                         [](const auto& tc) { return std::string(tc.param.label); });

}  // namespace
}  // namespace miravela
