#include "capture/capture_backend.h"

#include <mutex>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace miravela {

void InitCaptureBackend() {
  static std::once_flag once;
  std::call_once(once, [] {
    avdevice_register_all();
    av_log_set_level(AV_LOG_FATAL);
  });
}

bool CaptureBackendAvailable() {
  InitCaptureBackend();
  const bool input = av_find_input_format("video4linux2") || av_find_input_format("lavfi");
  const bool decoders = avcodec_find_decoder(AV_CODEC_ID_MJPEG) && avcodec_find_decoder(AV_CODEC_ID_RAWVIDEO);
  const bool converter = sws_isSupportedOutput(AV_PIX_FMT_BGRA) > 0;
  return input && decoders && converter;
}

}  // namespace miravela
