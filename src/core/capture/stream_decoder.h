#pragma once
// The video decoder of one stream, with as many threads as its picture rate needs:
// most cameras decode comfortably on one, and every extra thread holds its own pictures.
#include <memory>

struct AVCodecContext;
struct AVPacket;
struct AVFrame;
struct AVStream;

namespace miravela {

class StreamDecoder {
 public:
  // Null when the stream has no decoder here or it does not open.
  static std::unique_ptr<StreamDecoder> For(const AVStream* stream);
  ~StreamDecoder();
  StreamDecoder(const StreamDecoder&) = delete;
  StreamDecoder& operator=(const StreamDecoder&) = delete;

  // FFmpeg's send/receive pair: 0, AVERROR(EAGAIN), AVERROR_EOF or an error.
  // A null packet starts the drain.
  int Send(const AVPacket* packet);
  int Receive(AVFrame* frame);
  // The picture of one packet of a stream whose pictures stand alone; false when it
  // does not decode.
  bool DecodeAlone(const AVPacket* packet, AVFrame* frame);
  int Threads() const;

 private:
  explicit StreamDecoder(AVCodecContext* context) : context_(context) {}
  AVCodecContext* context_;
};

// True for streams whose every picture decodes without the ones before it (JPEG
// frames, raw pictures), so any packet can be decoded alone when it is wanted.
bool IntraOnly(const AVStream* stream);

// Decoder threads for a picture rate: one per 1080p at 30 frames a second, at least
// one, at most the cores there are.
int DecoderThreadsFor(int width, int height, double framesPerSecond, int cores);

}  // namespace miravela
