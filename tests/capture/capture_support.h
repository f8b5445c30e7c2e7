#pragma once
// Real media for the capture tests: short video files made with the ffmpeg program,
// FFmpeg test sources as cameras, and a patient wait for what a capture thread does.
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>

#include "capture/ffmpeg_camera.h"

namespace miravela::test {

// Runs the ffmpeg program with these arguments; true when it succeeded.
bool RunFfmpeg(const QStringList& arguments);
// A video file of `seconds` of the test pattern in the given codec and container.
bool MakeTestVideo(const QString& path, const QString& size, double seconds, const QStringList& codec, int rate = 10);

// Polls until the condition holds or `limit` passes; the condition's final value.
bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit = std::chrono::seconds(15));

// A cameras file line for an FFmpeg test source.
QString FilterCamera(const QString& name, const QString& graph);

// Short pauses, so the tests see reconnects without waiting for real-life ones.
CaptureTiming QuickTiming();

// Writes a cameras file and a camera control over it, with no V4L2 devices.
struct CameraFixture {
  CameraFixture(const QString& folder, const QStringList& camLines, bool demo = false);
  FfmpegCameraOptions options;
};

// A TCP port nobody listens on right now.
int FreePort();

}  // namespace miravela::test
