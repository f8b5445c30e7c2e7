#include "capture/stream_decoder.h"

#include <algorithm>
#include <cmath>
#include <thread>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace miravela {
namespace {

constexpr double kPixelsPerThread = 1920.0 * 1080.0 * 30.0;
// A stream that does not say its rate is taken to run at this one.
constexpr double kUnknownRate = 30.0;

double FramesPerSecond(const AVStream* stream) {
  const AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
  return rate.num > 0 && rate.den > 0 ? av_q2d(rate) : kUnknownRate;
}

}  // namespace

int DecoderThreadsFor(int width, int height, double framesPerSecond, int cores) {
  const double load = std::max(0, width) * static_cast<double>(std::max(0, height)) * framesPerSecond;
  const int wanted = static_cast<int>(std::ceil(load / kPixelsPerThread));
  return std::clamp(wanted, 1, std::max(1, cores));
}

bool IntraOnly(const AVStream* stream) {
  const AVCodecDescriptor* descriptor = avcodec_descriptor_get(stream->codecpar->codec_id);
  return descriptor && (descriptor->props & AV_CODEC_PROP_INTRA_ONLY);
}

std::unique_ptr<StreamDecoder> StreamDecoder::For(const AVStream* stream) {
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  if (!codec) return nullptr;
  AVCodecContext* context = avcodec_alloc_context3(codec);
  if (!context) return nullptr;
  std::unique_ptr<StreamDecoder> decoder(new StreamDecoder(context));
  if (avcodec_parameters_to_context(context, stream->codecpar) < 0) return nullptr;
  context->pkt_timebase = stream->time_base;
  if (IntraOnly(stream)) {
    // Pictures are decoded one at a time when asked for: more threads would only wait.
    context->thread_count = 1;
  } else {
    const int cores = static_cast<int>(std::thread::hardware_concurrency());
    context->thread_count =
        DecoderThreadsFor(stream->codecpar->width, stream->codecpar->height, FramesPerSecond(stream), cores);
    // Pictures no other picture refers to need not be decoded: most of them are never
    // taken, and skipping them leaves every later picture whole.
    context->skip_frame = AVDISCARD_NONREF;
  }
  if (avcodec_open2(context, codec, nullptr) != 0) return nullptr;
  return decoder;
}

StreamDecoder::~StreamDecoder() { avcodec_free_context(&context_); }

int StreamDecoder::Send(const AVPacket* packet) { return avcodec_send_packet(context_, packet); }

int StreamDecoder::Receive(AVFrame* frame) { return avcodec_receive_frame(context_, frame); }

bool StreamDecoder::DecodeAlone(const AVPacket* packet, AVFrame* frame) {
  if (Send(packet) < 0) return false;
  return Receive(frame) == 0;
}

int StreamDecoder::Threads() const { return context_->thread_count; }

}  // namespace miravela
