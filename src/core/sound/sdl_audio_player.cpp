#include "sound/sdl_audio_player.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <QFile>
#include <cmath>

namespace miravela {
namespace {

constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkSamples = 2048;

std::optional<long long> Milliseconds(double seconds) {
  if (!(seconds >= 0)) return std::nullopt;  // the decoder's "unknown" is negative
  return std::llround(seconds * 1000.0);
}

}  // namespace

SdlAudioPlayer::~SdlAudioPlayer() {
  Unload();
  if (deviceOpen_) CloseDevice();
}

bool SdlAudioPlayer::OpenDevice() {
  if (deviceOpen_) return true;
  // SDL would otherwise take over SIGINT and SIGTERM, and the program could no longer
  // be ended by them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(kFrequency, MIX_DEFAULT_FORMAT, kChannels, kChunkSamples) != 0) {
    // Left closed, the next sound looks for a device afresh.
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  Mix_Init(MIX_INIT_MP3);
  deviceOpen_ = true;
  return true;
}

void SdlAudioPlayer::CloseDevice() {
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  deviceOpen_ = false;
}

bool SdlAudioPlayer::Load(const QString& path) {
  Unload();
  if (path.isEmpty() || !OpenDevice()) return false;
  music_ = Mix_LoadMUS(QFile::encodeName(path).constData());
  return music_ != nullptr;
}

void SdlAudioPlayer::Unload() {
  if (!music_) return;
  Mix_HaltMusic();
  Mix_FreeMusic(music_);
  music_ = nullptr;
  paused_ = false;
}

bool SdlAudioPlayer::Play() {
  if (!music_) return false;
  if (paused_) {
    Mix_ResumeMusic();
    paused_ = false;
    return true;
  }
  if (Mix_PlayingMusic()) return true;  // already under way
  // One pass through the sound; the mixer reads both 0 and 1 as "once".
  return Mix_PlayMusic(music_, 1) == 0;
}

bool SdlAudioPlayer::Pause() {
  if (!music_ || !Mix_PlayingMusic()) return false;
  Mix_PauseMusic();
  paused_ = true;
  return true;
}

bool SdlAudioPlayer::Stop() {
  if (!music_) return false;
  Mix_HaltMusic();
  paused_ = false;
  return true;
}

PlayerMode SdlAudioPlayer::Mode() const {
  if (!music_) return PlayerMode::NotReady;
  if (paused_) return PlayerMode::Paused;
  return Mix_PlayingMusic() ? PlayerMode::Playing : PlayerMode::Stopped;
}

std::optional<long long> SdlAudioPlayer::LengthMs() const {
  if (!music_) return std::nullopt;
  return Milliseconds(Mix_MusicDuration(music_));
}

std::optional<long long> SdlAudioPlayer::PositionMs() const {
  if (!music_) return std::nullopt;
  return Milliseconds(Mix_GetMusicPosition(music_));
}

}  // namespace miravela
