#pragma once
// The media command strings every sound of the program is driven by, read and carried
// out on one player:
//   open "<file>" alias <name>          reply: the device number
//   set <name> time format milliseconds
//   play | pause | resume | stop <name>
//   status <name> mode                  reply: playing, paused, stopped or not ready
//   status <name> length | position     reply: milliseconds
//   close <name> | close all
// Keywords are read without regard to case. A command that fails, or one that is not
// understood, answers with an empty reply and ok false; nothing is ever thrown.
#include <QString>
#include <QStringList>

#include "sound/audio_player.h"

namespace miravela {

struct MciReply {
  bool ok = false;
  QString text;
  bool operator==(const MciReply&) const = default;
};

class MciInterpreter {
 public:
  explicit MciInterpreter(AudioPlayer& player) : player_(player) {}

  MciReply Send(const QString& command);

  // The alias of the open device, empty when none is open.
  const QString& Alias() const { return alias_; }

 private:
  MciReply Open(const QString& rest);
  MciReply Close(const QStringList& words);
  MciReply Set(const QStringList& words);
  MciReply Status(const QStringList& words);
  MciReply Transport(const QString& verb, const QStringList& words);
  bool IsOpenAlias(const QString& name) const;

  AudioPlayer& player_;
  QString alias_;  // one device at a time: the player holds one sound
  int lastDevice_ = 0;
};

}  // namespace miravela
