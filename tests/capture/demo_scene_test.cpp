// The demo camera must look like a room under surveillance: still for long stretches,
// with a figure crossing now and then. Read here without pacing, straight from FFmpeg.
#include <gtest/gtest.h>

extern "C" {
#include <libavutil/frame.h>
}

#include "capture/camera_list.h"
#include "capture/ffmpeg_input.h"
#include "capture/frame_converter.h"

namespace miravela {
namespace {

double ChangedShare(const QImage& a, const QImage& b) {
  long changed = 0;
  for (int y = 0; y < a.height(); ++y) {
    const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) changed += rowA[x] != rowB[x];
  }
  return static_cast<double>(changed) / (a.width() * a.height());
}

TEST(DemoCamera, StillRoomWithAFigurePassing) {
  std::atomic<bool> stop{false};
  FfmpegInput input(stop, {});
  ASSERT_TRUE(input.Open(DemoCamera(), std::nullopt));
  EXPECT_EQ(input.Format().size, QSize(640, 480));
  FrameConverter converter;
  AVFrame* frame = av_frame_alloc();
  std::vector<std::pair<double, QImage>> frames;
  // Seventeen seconds of scene time: the figure walks between seconds 10 and 16.
  while (frames.size() < 17 * 15) {
    const ReadResult result = input.Read(frame);
    ASSERT_TRUE(result == ReadResult::Frame || result == ReadResult::Pending);
    if (result != ReadResult::Frame) continue;
    frames.emplace_back(input.Seconds(frame), converter.Convert(frame));
    av_frame_unref(frame);
  }
  av_frame_free(&frame);

  const QImage& first = frames.front().second;
  int moving = 0;
  double largest = 0;
  for (size_t i = 1; i < frames.size(); ++i) {
    const double share = ChangedShare(first, frames[i].second);
    if (frames[i].first < 9.9) {
      EXPECT_EQ(share, 0.0) << "at " << frames[i].first << " s";
    }
    if (share > 0) ++moving;
    largest = std::max(largest, share);
  }
  EXPECT_GT(moving, 60);     // the walk takes several seconds
  EXPECT_LT(largest, 0.05);  // and a figure, not the whole picture, changes
  // Not a flat test card: the room has several colours.
  EXPECT_NE(first.pixel(100, 100), first.pixel(100, 400));
}

}  // namespace
}  // namespace miravela
