#include "capture/ffmpeg_input.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/pixdesc.h>
}

#include "capture/capture_backend.h"

namespace miravela {
namespace {

// A stream that keeps sending packets none of which decodes is as dead as one that
// sends nothing; this many in a row ends the session.
constexpr int kMaxBadPackets = 100;

AVDictionary* DeviceOptions(const std::optional<StreamFormat>& format) {
  AVDictionary* options = nullptr;
  if (!format) return options;
  if (format->size.isValid()) {
    const QByteArray size = QByteArray::number(format->size.width()) + 'x' + QByteArray::number(format->size.height());
    av_dict_set(&options, "video_size", size.constData(), 0);
  }
  if (format->rate.Valid()) av_dict_set(&options, "framerate", FormatRateText(format->rate).toLatin1().constData(), 0);
  if (!format->pixelFormat.isEmpty())
    av_dict_set(&options, "input_format", format->pixelFormat.toLatin1().constData(), 0);
  return options;
}

const AVInputFormat* InputFormatFor(SourceKind kind) {
  switch (kind) {
    case SourceKind::Device:
      return DeviceInputFormat("video4linux2");
    case SourceKind::Filter:
      return DeviceInputFormat("lavfi");
    case SourceKind::Url:
      return nullptr;
  }
  return nullptr;
}

}  // namespace

FfmpegInput::FfmpegInput(const std::atomic<bool>& stop, InputTimeouts timeouts) : stop_(stop), timeouts_(timeouts) {
  InitCaptureBackend();
}

FfmpegInput::~FfmpegInput() { Close(); }

void FfmpegInput::Close() {
  av_packet_free(&packet_);
  decoder_.reset();
  avformat_close_input(&format_);
  stream_ = -1;
}

int FfmpegInput::Interrupted(void* self) {
  auto* input = static_cast<FfmpegInput*>(self);
  return input->stop_.load() || std::chrono::steady_clock::now() > input->deadline_;
}

bool FfmpegInput::Open(const CameraSource& source, const std::optional<StreamFormat>& format) {
  Close();
  format_ = avformat_alloc_context();
  if (!format_) return false;
  format_->interrupt_callback = {&FfmpegInput::Interrupted, this};
  // A camera node read without blocking lets the thread notice a stop between frames.
  if (source.kind == SourceKind::Device) format_->flags |= AVFMT_FLAG_NONBLOCK;
  AVDictionary* options = source.kind == SourceKind::Device ? DeviceOptions(format) : nullptr;
  deadline_ = std::chrono::steady_clock::now() + timeouts_.open;
  const QByteArray location = source.location.toUtf8();
  const int opened = avformat_open_input(&format_, location.constData(), InputFormatFor(source.kind), &options);
  av_dict_free(&options);
  if (opened < 0) {
    format_ = nullptr;  // freed by FFmpeg on failure
    return false;
  }
  const AVCodec* codec = nullptr;
  if (avformat_find_stream_info(format_, nullptr) >= 0)
    stream_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
  packet_ = av_packet_alloc();
  if (stream_ < 0 || !codec || !packet_) {
    Close();
    return false;
  }
  for (unsigned i = 0; i < format_->nb_streams; ++i)
    if (static_cast<int>(i) != stream_) format_->streams[i]->discard = AVDISCARD_ALL;
  badPackets_ = 0;
  draining_ = false;
  decoderFailed_ = false;
  return true;
}

bool FfmpegInput::IntraOnly() const {
  return format_ && stream_ >= 0 && miravela::IntraOnly(format_->streams[stream_]);
}

std::unique_ptr<StreamDecoder> FfmpegInput::NewDecoder() const {
  if (!format_ || stream_ < 0) return nullptr;
  return StreamDecoder::For(format_->streams[stream_]);
}

ReadResult FfmpegInput::Read(AVFrame* frame) {
  if (!decoder_ && !decoderFailed_ && format_ && stream_ >= 0) {
    decoder_ = NewDecoder();
    decoderFailed_ = !decoder_;
  }
  if (!decoder_) return ReadResult::Error;
  const int received = decoder_->Receive(frame);
  if (received == 0) {
    badPackets_ = 0;
    return ReadResult::Frame;
  }
  if (received == AVERROR_EOF) return ReadResult::End;
  if (received != AVERROR(EAGAIN)) {
    // A frame the decoder gave up on; the next packets may still decode.
    return ++badPackets_ > kMaxBadPackets ? ReadResult::Error : ReadResult::Pending;
  }
  if (draining_) return ReadResult::End;
  return FeedPacket();
}

// The next packet of the video stream; packets of other streams are passed over.
ReadResult FfmpegInput::NextPacket(AVPacket* packet) {
  deadline_ = std::chrono::steady_clock::now() + timeouts_.packet;
  const int read = av_read_frame(format_, packet);
  if (read == AVERROR(EAGAIN)) return ReadResult::Wait;
  if (read == AVERROR_EOF) return ReadResult::End;
  if (read < 0) return ReadResult::Error;
  if (packet->stream_index == stream_) return ReadResult::Frame;
  av_packet_unref(packet);
  return ReadResult::Pending;
}

ReadResult FfmpegInput::ReadPacket(AVPacket* packet) {
  if (!format_ || stream_ < 0) return ReadResult::Error;
  return NextPacket(packet);
}

ReadResult FfmpegInput::FeedPacket() {
  const ReadResult read = NextPacket(packet_);
  if (read == ReadResult::End) {
    draining_ = true;
    decoder_->Send(nullptr);
    return ReadResult::Pending;
  }
  if (read != ReadResult::Frame) return read;
  const int sent = decoder_->Send(packet_);
  av_packet_unref(packet_);
  if (sent < 0 && sent != AVERROR(EAGAIN) && ++badPackets_ > kMaxBadPackets) return ReadResult::Error;
  return ReadResult::Pending;
}

StreamFormat FfmpegInput::Format() const {
  StreamFormat format;
  if (!format_ || stream_ < 0) return format;
  const AVStream* stream = format_->streams[stream_];
  const AVCodecParameters* codec = stream->codecpar;
  format.size = QSize(codec->width, codec->height);
  AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
  if (rate.num > 0 && rate.den > 0) format.rate = {rate.num, rate.den};
  const char* pixel = codec->codec_id == AV_CODEC_ID_RAWVIDEO
                          ? av_get_pix_fmt_name(static_cast<AVPixelFormat>(codec->format))
                          : avcodec_get_name(codec->codec_id);
  if (pixel) format.pixelFormat = QString::fromLatin1(pixel);
  return format;
}

double FfmpegInput::Seconds(std::int64_t timestamp) const {
  if (!format_ || stream_ < 0 || timestamp == AV_NOPTS_VALUE) return -1.0;
  return static_cast<double>(timestamp) * av_q2d(format_->streams[stream_]->time_base);
}

double FfmpegInput::Seconds(const AVFrame* frame) const { return Seconds(frame->best_effort_timestamp); }

double FfmpegInput::Seconds(const AVPacket* packet) const {
  return Seconds(packet->pts != AV_NOPTS_VALUE ? packet->pts : packet->dts);
}

}  // namespace miravela
