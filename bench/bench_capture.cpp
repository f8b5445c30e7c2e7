// Frame delivery from a 1920x1080 MJPEG and a 1280x720 H.264 source: decoding plus
// conversion per frame, conversion alone, and the time from a decoded frame to the
// moment Snap returns it. The sources are files the ffmpeg program makes at start.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdlib>
#include <thread>

extern "C" {
#include <libavutil/frame.h>
}

#include "capture/camera_source.h"
#include "capture/capture_worker.h"
#include "capture/ffmpeg_input.h"
#include "capture/frame_converter.h"

namespace {

using namespace miravela;
using Clock = std::chrono::steady_clock;

struct Clip {
  const char* name;
  const char* size;
  const char* codec;  // ffmpeg arguments
};

const Clip kClips[] = {
    {"mjpeg_1080p.mkv", "1920x1080", "-c:v mjpeg -pix_fmt yuvj422p -q:v 4"},
    {"h264_720p.mkv", "1280x720", "-c:v libx264 -preset veryfast -tune zerolatency -pix_fmt yuv420p -g 30"},
};

QTemporaryDir& Folder() {
  static QTemporaryDir folder;
  return folder;
}

QString ClipPath(int index) {
  const Clip& clip = kClips[index];
  const QString path = Folder().filePath(clip.name);
  if (QFile::exists(path)) return path;
  const QString command =
      QStringLiteral("ffmpeg -hide_banner -loglevel error -y -f lavfi -i testsrc2=size=%1:rate=30:duration=4 %2 %3")
          .arg(clip.size, clip.codec, path);
  if (std::system(command.toLocal8Bit().constData()) != 0) return {};
  return path;
}

CameraSource FileSource(int index) { return {kClips[index].name, SourceKind::Url, ClipPath(index)}; }

// Reads the next decoded frame, reopening the file at its end.
bool NextFrame(FfmpegInput& input, const CameraSource& source, AVFrame* frame) {
  for (int attempts = 0; attempts < 10000; ++attempts) {
    const ReadResult result = input.Read(frame);
    if (result == ReadResult::Frame) return true;
    if (result == ReadResult::End || result == ReadResult::Error)
      if (!input.Open(source, std::nullopt)) return false;
  }
  return false;
}

void DecodeAndConvert(benchmark::State& state) {
  const CameraSource source = FileSource(static_cast<int>(state.range(0)));
  std::atomic<bool> stop{false};
  FfmpegInput input(stop, {});
  FrameConverter converter;
  AVFrame* frame = av_frame_alloc();
  QImage image;
  if (!input.Open(source, std::nullopt)) state.SkipWithError("cannot open the clip");
  for (auto _ : state) {
    if (!NextFrame(input, source, frame)) {
      state.SkipWithError("decoding failed");
      break;
    }
    image = converter.Convert(frame, std::move(image));
    benchmark::DoNotOptimize(image.constBits());
    av_frame_unref(frame);
  }
  av_frame_free(&frame);
  state.SetLabel(kClips[state.range(0)].name);
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void ConvertOnly(benchmark::State& state) {
  const CameraSource source = FileSource(static_cast<int>(state.range(0)));
  std::atomic<bool> stop{false};
  FfmpegInput input(stop, {});
  FrameConverter converter;
  AVFrame* frame = av_frame_alloc();
  if (!input.Open(source, std::nullopt) || !NextFrame(input, source, frame)) state.SkipWithError("no frame");
  QImage image;
  for (auto _ : state) {
    image = converter.Convert(frame, std::move(image));
    benchmark::DoNotOptimize(image.constBits());
  }
  av_frame_free(&frame);
  state.SetLabel(kClips[state.range(0)].name);
}

// The capture thread runs the clip at its own 30 frames a second; each iteration waits
// for the next frame and times it from decoded to returned by the slot.
void DecodedToSnap(benchmark::State& state) {
  CaptureSettings settings;
  settings.source = FileSource(static_cast<int>(state.range(0)));
  settings.pace = true;
  CaptureWorker worker(settings);
  std::uint64_t seen = 0;
  std::vector<double> latencies;
  for (auto _ : state) {
    CapturedFrame frame;
    const auto limit = Clock::now() + std::chrono::seconds(5);
    do {
      std::this_thread::sleep_for(std::chrono::microseconds(50));
      frame = worker.Newest();
    } while ((frame.image.isNull() || frame.sequence == seen) && Clock::now() < limit);
    const double latency = std::chrono::duration<double>(Clock::now() - frame.decoded).count();
    if (frame.sequence == seen) {
      state.SkipWithError("no frames");
      break;
    }
    seen = frame.sequence;
    latencies.push_back(latency);
    state.SetIterationTime(latency);
  }
  state.SetLabel(kClips[state.range(0)].name);
  if (latencies.empty()) return;
  std::sort(latencies.begin(), latencies.end());
  state.counters["median_ms"] = latencies[latencies.size() / 2] * 1000;
  state.counters["worst_ms"] = latencies.back() * 1000;
}

BENCHMARK(DecodeAndConvert)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertOnly)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK(DecodedToSnap)->DenseRange(0, 1)->UseManualTime()->Iterations(90)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
