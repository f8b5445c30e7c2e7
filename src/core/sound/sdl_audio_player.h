#pragma once
// The real player: SDL2_mixer's music stream, which decodes MP3 and WAV while it plays.
// The sound device is opened only when a sound is loaded, and a failed open is tried
// again on the next sound, so a machine without sound runs silently and a device
// plugged in later is used from the next sound on.
#include "sound/audio_player.h"

struct _Mix_Music;

namespace miravela {

class SdlAudioPlayer : public AudioPlayer {
 public:
  SdlAudioPlayer() = default;
  ~SdlAudioPlayer() override;
  SdlAudioPlayer(const SdlAudioPlayer&) = delete;
  SdlAudioPlayer& operator=(const SdlAudioPlayer&) = delete;

  bool Load(const QString& path) override;
  void Unload() override;
  bool Play() override;
  bool Pause() override;
  bool Stop() override;
  PlayerMode Mode() const override;
  std::optional<long long> LengthMs() const override;
  std::optional<long long> PositionMs() const override;

  bool DeviceOpen() const { return deviceOpen_; }

 private:
  bool OpenDevice();
  void CloseDevice();

  _Mix_Music* music_ = nullptr;
  bool deviceOpen_ = false;
  bool paused_ = false;
};

}  // namespace miravela
