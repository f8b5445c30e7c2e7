// The hand-over of frames: what the capture thread leaves unmade becomes a picture only
// when asked for, the newest one, and a picture that does not decode never replaces a
// good one. Fed with real packets and frames read from files the ffmpeg program makes.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

extern "C" {
#include <libavcodec/packet.h>
#include <libavutil/frame.h>
}

#include "capture/ffmpeg_input.h"
#include "capture/frame_slot.h"
#include "capture/stream_decoder.h"
#include "capture_support.h"

namespace miravela {
namespace {

using Clock = std::chrono::steady_clock;
using test::CameraFixture;
using test::WaitFor;

struct PacketDeleter {
  void operator()(AVPacket* packet) const { av_packet_free(&packet); }
};
using Packet = std::unique_ptr<AVPacket, PacketDeleter>;

// The clip's packets in order; the test pattern changes with every frame.
std::vector<Packet> ReadPackets(FfmpegInput& input, size_t count) {
  std::vector<Packet> packets;
  for (int attempts = 0; packets.size() < count && attempts < 1000; ++attempts) {
    Packet packet(av_packet_alloc());
    const ReadResult result = input.ReadPacket(packet.get());
    if (result == ReadResult::Frame) packets.push_back(std::move(packet));
    if (result == ReadResult::End || result == ReadResult::Error) break;
  }
  return packets;
}

// A packet's picture made the long way, with a decoder and converter of its own.
QImage Decoded(FfmpegInput& input, const AVPacket* packet) {
  std::unique_ptr<StreamDecoder> decoder = input.NewDecoder();
  AVFrame* frame = av_frame_alloc();
  QImage image;
  if (decoder && decoder->DecodeAlone(packet, frame)) image = FrameConverter().Convert(frame);
  av_frame_free(&frame);
  return image;
}

Packet Copy(const AVPacket* packet) {
  Packet copy(av_packet_alloc());
  av_packet_ref(copy.get(), packet);
  return copy;
}

class FrameSlotTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString clip = dir_.filePath("patron.mkv");
    ASSERT_TRUE(test::MakeTestVideo(clip, "160x120", 1.0, {"-c:v", "mjpeg"}));
    ASSERT_TRUE(input_.Open({"Patrón", SourceKind::Url, clip}, std::nullopt));
    ASSERT_TRUE(input_.IntraOnly());
    packets_ = ReadPackets(input_, 6);
    ASSERT_EQ(packets_.size(), 6u);
    slot_.Begin(input_.NewDecoder());
  }
  void Publish(size_t index) { slot_.PublishPacket(Copy(packets_[index].get()).get(), Clock::now()); }

  QTemporaryDir dir_;
  std::atomic<bool> stop_{false};
  FfmpegInput input_{stop_, {}};
  std::vector<Packet> packets_;
  FrameSlot slot_;
};

TEST_F(FrameSlotTest, TheNewestPacketBecomesThePictureWhenAskedFor) {
  EXPECT_TRUE(slot_.Newest().image.isNull());
  for (size_t i = 0; i < 5; ++i) Publish(i);
  const CapturedFrame taken = slot_.Newest();
  EXPECT_EQ(taken.sequence, 5u);
  EXPECT_EQ(taken.image, Decoded(input_, packets_[4].get()));
  EXPECT_NE(taken.image, Decoded(input_, packets_[3].get()));
  // Asked again with nothing new: the same picture, shared rather than made again.
  EXPECT_EQ(slot_.Newest().image.constBits(), taken.image.constBits());
  Publish(5);
  EXPECT_EQ(slot_.Newest().sequence, 6u);
  EXPECT_EQ(slot_.Newest().image, Decoded(input_, packets_[5].get()));
}

TEST_F(FrameSlotTest, APictureThatDoesNotDecodeLeavesTheLastGoodOne) {
  Publish(0);
  const CapturedFrame good = slot_.Newest();
  ASSERT_FALSE(good.image.isNull());
  EXPECT_FALSE(slot_.FailingSince());

  Packet garbage(av_packet_alloc());
  ASSERT_EQ(av_new_packet(garbage.get(), 4000), 0);
  for (int i = 0; i < garbage->size; ++i) garbage->data[i] = static_cast<uint8_t>(i * 37 % 251);
  slot_.PublishPacket(garbage.get(), Clock::now());
  const CapturedFrame after = slot_.Newest();
  EXPECT_EQ(after.sequence, good.sequence);
  EXPECT_EQ(after.image, good.image);
  ASSERT_TRUE(slot_.FailingSince());

  Publish(1);
  EXPECT_EQ(slot_.Newest().image, Decoded(input_, packets_[1].get()));
  EXPECT_FALSE(slot_.FailingSince());
}

TEST_F(FrameSlotTest, ClearLeavesNoPictureUntilTheNextConnection) {
  Publish(0);
  ASSERT_FALSE(slot_.Newest().image.isNull());
  Publish(1);  // not yet made when the source is lost
  slot_.Clear();
  EXPECT_TRUE(slot_.Newest().image.isNull());
  slot_.Begin(input_.NewDecoder());
  EXPECT_TRUE(slot_.Newest().image.isNull());
  Publish(2);
  EXPECT_EQ(slot_.Newest().image, Decoded(input_, packets_[2].get()));
}

// Streams whose pictures build on each other hand over decoded frames, made into
// pictures the same way.
TEST(FrameSlot, DecodedFramesBecomeThePictureWhenAskedFor) {
  QTemporaryDir dir;
  const QString clip = dir.filePath("h264.mkv");
  ASSERT_TRUE(test::MakeTestVideo(clip, "160x120", 1.0, {"-c:v", "libx264", "-pix_fmt", "yuv420p"}));
  std::atomic<bool> stop{false};
  FfmpegInput input(stop, {});
  ASSERT_TRUE(input.Open({"H", SourceKind::Url, clip}, std::nullopt));
  EXPECT_FALSE(input.IntraOnly());
  AVFrame* frame = av_frame_alloc();
  QImage expected;
  FrameSlot slot;
  slot.Begin(nullptr);
  for (int frames = 0, attempts = 0; frames < 3 && attempts < 1000; ++attempts) {
    if (input.Read(frame) != ReadResult::Frame) continue;
    expected = FrameConverter().Convert(frame);
    slot.PublishFrame(frame, Clock::now());
    EXPECT_FALSE(frame->buf[0]) << "the slot takes the frame's reference";
    ++frames;
  }
  av_frame_free(&frame);
  ASSERT_FALSE(expected.isNull());
  EXPECT_EQ(slot.Newest().sequence, 3u);
  EXPECT_EQ(slot.Newest().image, expected);
}

struct ThreadCase {
  int width, height;
  double rate;
  int cores, threads;
};

class DecoderThreads : public ::testing::TestWithParam<ThreadCase> {};

TEST_P(DecoderThreads, GrowWithThePictureRateUpToTheCores) {
  const ThreadCase& c = GetParam();
  EXPECT_EQ(DecoderThreadsFor(c.width, c.height, c.rate, c.cores), c.threads);
}

INSTANTIATE_TEST_SUITE_P(Rates, DecoderThreads,
                         ::testing::Values(ThreadCase{640, 480, 30, 8, 1}, ThreadCase{1920, 1080, 30, 8, 1},
                                           ThreadCase{1920, 1080, 60, 8, 2}, ThreadCase{3840, 2160, 30, 8, 4},
                                           ThreadCase{3840, 2160, 30, 2, 2}, ThreadCase{3840, 2160, 30, 0, 1},
                                           ThreadCase{0, 0, 30, 8, 1}));

// Every kind of stream reaches the camera's picture at its size and in its colours:
// pictures that stand alone and pictures that build on each other.
TEST(FrameSlot, EveryKindOfStreamArrivesWhole) {
  QTemporaryDir dir;
  const QString source = "color=c=0x2060c0:size=64x48:rate=10:duration=4";
  const std::vector<QStringList> codecs = {
      {"-c:v", "mjpeg", "-pix_fmt", "yuvj420p", "-q:v", "2"},
      {"-c:v", "libx264", "-pix_fmt", "yuv420p", "-bf", "2", "-qp", "10"},
      {"-c:v", "rawvideo", "-pix_fmt", "yuyv422"},
  };
  for (size_t i = 0; i < codecs.size(); ++i) {
    const QString clip = dir.filePath(QString("clip%1.mkv").arg(i));
    SCOPED_TRACE(codecs[i].join(' ').toStdString());
    ASSERT_TRUE(test::RunFfmpeg(QStringList{"-f", "lavfi", "-i", source} + codecs[i] + QStringList{clip}));
    FfmpegCamera camera(CameraFixture(dir.path(), {"A = " + clip}).options);
    camera.LoadCamera();
    ASSERT_TRUE(camera.StartCamera(0, "A"));
    ASSERT_TRUE(WaitFor([&] { return !camera.Snap().isNull(); }));
    const QImage picture = camera.Snap();
    EXPECT_EQ(picture.size(), QSize(64, 48));
    const QRgb pixel = picture.pixel(32, 24);
    EXPECT_NEAR(qRed(pixel), 0x20, 6);
    EXPECT_NEAR(qGreen(pixel), 0x60, 6);
    EXPECT_NEAR(qBlue(pixel), 0xc0, 6);
  }
}

// A stream whose pictures arrive but none of which decodes is lost like a silent one.
TEST(FrameSlot, PicturesThatNeverDecodeEndTheConnection) {
  QTemporaryDir dir;
  const QString clip = dir.filePath("roto.mkv");
  ASSERT_TRUE(test::MakeTestVideo(clip, "160x120", 20.0, {"-c:v", "mjpeg"}));
  QFile file(clip);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  QByteArray bytes = file.readAll();
  int damaged = 0;
  for (qsizetype at = bytes.indexOf("\xff\xd8\xff"); at >= 0; at = bytes.indexOf("\xff\xd8\xff", at + 3), ++damaged)
    for (qsizetype i = at; i < std::min(at + 600, bytes.size()); ++i) bytes[i] = static_cast<char>(i * 37 % 251);
  ASSERT_GT(damaged, 100);
  file.seek(0);
  file.write(bytes);
  file.close();
  FfmpegCamera camera(CameraFixture(dir.path(), {"Roto = " + clip}).options);
  camera.LoadCamera();
  ASSERT_TRUE(camera.StartCamera(0, {}));
  EXPECT_TRUE(WaitFor([&] { return camera.Snap().isNull() && camera.Status() == CaptureStatus::Reconnecting; },
                      std::chrono::seconds(10)));
}

}  // namespace
}  // namespace miravela
