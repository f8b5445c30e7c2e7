#include "capture/capture_backend.h"

#include <dlfcn.h>

#include <mutex>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavdevice/version.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace miravela {
namespace {

// The device library of the FFmpeg we are built against; it stays loaded for the run,
// since the input formats it registers live in it.
bool LoadDevices() {
  static const bool loaded = [] {
    const std::string library = "libavdevice.so." + std::to_string(LIBAVDEVICE_VERSION_MAJOR);
    void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) return false;
    auto* registerAll = reinterpret_cast<void (*)()>(dlsym(handle, "avdevice_register_all"));
    if (!registerAll) return false;
    registerAll();
    return true;
  }();
  return loaded;
}

}  // namespace

void InitCaptureBackend() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_FATAL); });
}

bool CaptureBackendAvailable() {
  InitCaptureBackend();
  const bool input = av_find_input_format("mpjpeg") || av_find_input_format("mjpeg");
  const bool decoders = avcodec_find_decoder(AV_CODEC_ID_MJPEG) && avcodec_find_decoder(AV_CODEC_ID_RAWVIDEO);
  const bool converter = sws_isSupportedOutput(AV_PIX_FMT_BGRA) > 0;
  return input && decoders && converter;
}

const AVInputFormat* DeviceInputFormat(const char* name) {
  InitCaptureBackend();
  return LoadDevices() ? av_find_input_format(name) : nullptr;
}

}  // namespace miravela
