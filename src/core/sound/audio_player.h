#pragma once
// The one sound the program plays at a time, as the media commands drive it. The real
// player sits on SDL2_mixer; tests also use a scripted one.
#include <QString>
#include <optional>

namespace miravela {

enum class PlayerMode { NotReady, Stopped, Playing, Paused };

class AudioPlayer {
 public:
  virtual ~AudioPlayer() = default;
  // Makes `path` the loaded sound in place of any other; false when there is no sound
  // device or the file cannot be decoded, and then nothing is loaded.
  virtual bool Load(const QString& path) = 0;
  virtual void Unload() = 0;
  // From the start, or on from where a pause left it. False with nothing loaded.
  virtual bool Play() = 0;
  virtual bool Pause() = 0;
  virtual bool Stop() = 0;
  // NotReady while nothing is loaded.
  virtual PlayerMode Mode() const = 0;
  // Length and position of the loaded sound in milliseconds, when the decoder knows them.
  virtual std::optional<long long> LengthMs() const = 0;
  virtual std::optional<long long> PositionMs() const = 0;
};

}  // namespace miravela
