#pragma once
// What the sound tests share: tones written as WAV files, the SDL disk driver as the
// sound device with its output read back and measured, a scripted player and a
// recorder of the command strings.
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "sound/audio_player.h"

namespace miravela::test {

// A mono 16-bit PCM WAV file holding a sine tone (amplitude 0 writes silence).
void WriteToneWav(const QString& path, double hertz, int milliseconds, double amplitude = 0.5);

// The 440 Hz MP3 tone kept beside the tests.
QString ToneMp3();

// What the disk driver wrote: 16-bit stereo at the player's rate, left channel kept.
struct Recording {
  static constexpr int kRate = 44100;
  std::vector<std::int16_t> left;

  static Recording Read(const QString& rawFile);
  // Samples whose size passes `threshold`, from sample `from` on.
  std::size_t Loud(std::size_t from = 0, int threshold = 500) const;
  // The pitch of the loud part, from its rising zero crossings; 0 when all is quiet.
  double PitchHz() const;
};

// Makes SDL's disk driver the sound device for everything opened from now on,
// writing into a file of a fresh folder, and restores the environment afterwards.
class DiskAudio {
 public:
  DiskAudio();
  ~DiskAudio();
  QString OutputFile() const { return dir_.filePath(QStringLiteral("out.raw")); }
  Recording Read() const { return Recording::Read(OutputFile()); }
  // Bytes written so far (the driver writes in real time, silence while nothing plays).
  qint64 Written() const;
  static void UseDriver(const QByteArray& driver);

 private:
  QTemporaryDir dir_;
  QByteArray oldDriver_, oldFile_;
};

// Polls `done` (letting time pass) until it holds or `limitMs` has gone; the result of
// the last poll.
bool WaitFor(const std::function<bool()>& done, int limitMs = 5000);

// A player whose files and playing state the test sets.
class ScriptedPlayer : public AudioPlayer {
 public:
  bool Load(const QString& path) override;
  void Unload() override;
  bool Play() override;
  bool Pause() override;
  bool Stop() override;
  PlayerMode Mode() const override { return loaded.isEmpty() ? PlayerMode::NotReady : mode; }
  std::optional<long long> LengthMs() const override;
  std::optional<long long> PositionMs() const override;

  std::map<QString, long long> playable;  // path -> length in ms
  QString loaded;
  PlayerMode mode = PlayerMode::Stopped;
  long long position = 0;
};

// Records every command; "status med mode" answers `mode`, an open answers
// `openReply`, everything else an empty reply.
struct CommandLog {
  QStringList sent;
  QString mode = QStringLiteral("stopped");
  QString openReply = QStringLiteral("1");
  std::function<QString(const QString&)> Sender();
};

}  // namespace miravela::test
