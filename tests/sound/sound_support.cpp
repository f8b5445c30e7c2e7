#include "sound/sound_support.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <cmath>
#include <numbers>

namespace miravela::test {

void WriteToneWav(const QString& path, double hertz, int milliseconds, double amplitude) {
  constexpr int kRate = 22050;
  const int samples = kRate * milliseconds / 1000;
  QByteArray data;
  QDataStream pcm(&data, QIODevice::WriteOnly);
  pcm.setByteOrder(QDataStream::LittleEndian);
  for (int i = 0; i < samples; ++i)
    pcm << static_cast<qint16>(std::lround(amplitude * 32767 * std::sin(2 * std::numbers::pi * hertz * i / kRate)));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  QDataStream out(&file);
  out.setByteOrder(QDataStream::LittleEndian);
  out.writeRawData("RIFF", 4);
  out << static_cast<quint32>(36 + data.size());
  out.writeRawData("WAVEfmt ", 8);
  out << quint32{16} << quint16{1} << quint16{1} << quint32{kRate} << quint32{kRate * 2} << quint16{2} << quint16{16};
  out.writeRawData("data", 4);
  out << static_cast<quint32>(data.size());
  out.writeRawData(data.constData(), static_cast<int>(data.size()));
}

QString ToneMp3() { return QStringLiteral(MIRAVELA_SOURCE_DIR "/tests/sound/data/tono.mp3"); }

Recording Recording::Read(const QString& rawFile) {
  Recording r;
  QFile file(rawFile);
  if (!file.open(QIODevice::ReadOnly)) return r;
  const QByteArray bytes = file.readAll();
  const auto* frames = reinterpret_cast<const std::int16_t*>(bytes.constData());
  const std::size_t count = static_cast<std::size_t>(bytes.size()) / 4;
  r.left.reserve(count);
  for (std::size_t i = 0; i < count; ++i) r.left.push_back(frames[2 * i]);
  return r;
}

std::size_t Recording::Loud(std::size_t from, int threshold) const {
  std::size_t loud = 0;
  for (std::size_t i = from; i < left.size(); ++i)
    if (std::abs(static_cast<int>(left[i])) > threshold) ++loud;
  return loud;
}

double Recording::PitchHz() const {
  // Only the stretch between the first and the last loud sample counts: the driver
  // writes silence before and after a sound.
  std::size_t first = left.size(), last = 0;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (std::abs(static_cast<int>(left[i])) > 500) {
      first = std::min(first, i);
      last = i;
    }
  }
  if (first >= last) return 0;
  int crossings = 0;
  for (std::size_t i = first + 1; i <= last; ++i)
    if (left[i - 1] < 0 && left[i] >= 0) ++crossings;
  return crossings * static_cast<double>(kRate) / static_cast<double>(last - first);
}

DiskAudio::DiskAudio() : oldDriver_(qgetenv("SDL_AUDIODRIVER")), oldFile_(qgetenv("SDL_DISKAUDIOFILE")) {
  UseDriver("disk");
  qputenv("SDL_DISKAUDIOFILE", QFile::encodeName(OutputFile()));
}

DiskAudio::~DiskAudio() {
  oldDriver_.isNull() ? qunsetenv("SDL_AUDIODRIVER") : qputenv("SDL_AUDIODRIVER", oldDriver_);
  oldFile_.isNull() ? qunsetenv("SDL_DISKAUDIOFILE") : qputenv("SDL_DISKAUDIOFILE", oldFile_);
}

void DiskAudio::UseDriver(const QByteArray& driver) { qputenv("SDL_AUDIODRIVER", driver); }

qint64 DiskAudio::Written() const { return QFileInfo(OutputFile()).size(); }

bool WaitFor(const std::function<bool()>& done, int limitMs) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > limitMs) return done();
    QThread::msleep(20);
  }
  return true;
}

bool ScriptedPlayer::Load(const QString& path) {
  Unload();
  if (!playable.contains(path)) return false;
  loaded = path;
  mode = PlayerMode::Stopped;
  return true;
}

void ScriptedPlayer::Unload() {
  loaded.clear();
  position = 0;
}

bool ScriptedPlayer::Play() {
  if (loaded.isEmpty()) return false;
  mode = PlayerMode::Playing;
  return true;
}

bool ScriptedPlayer::Pause() {
  if (mode != PlayerMode::Playing) return false;
  mode = PlayerMode::Paused;
  return true;
}

bool ScriptedPlayer::Stop() {
  if (loaded.isEmpty()) return false;
  mode = PlayerMode::Stopped;
  return true;
}

std::optional<long long> ScriptedPlayer::LengthMs() const {
  if (loaded.isEmpty()) return std::nullopt;
  return playable.at(loaded);
}

std::optional<long long> ScriptedPlayer::PositionMs() const {
  if (loaded.isEmpty()) return std::nullopt;
  return position;
}

std::function<QString(const QString&)> CommandLog::Sender() {
  return [this](const QString& command) -> QString {
    sent << command;
    if (command == QLatin1String("status med mode")) return mode;
    if (command.startsWith(QLatin1String("open "))) return openReply;
    return {};
  };
}

}  // namespace miravela::test
