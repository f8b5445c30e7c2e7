#pragma once
// A player with no sound device: every sound fails to load, as on a machine without a
// sound card, so the window behaves exactly as it does there.
#include "sound/audio_player.h"

namespace miravela {

class SilentPlayer : public AudioPlayer {
 public:
  bool Load(const QString&) override { return false; }
  void Unload() override {}
  bool Play() override { return false; }
  bool Pause() override { return false; }
  bool Stop() override { return false; }
  PlayerMode Mode() const override { return PlayerMode::NotReady; }
  std::optional<long long> LengthMs() const override { return std::nullopt; }
  std::optional<long long> PositionMs() const override { return std::nullopt; }
};

}  // namespace miravela
