#include "sound/mci_interpreter.h"

#include <QRegularExpression>

namespace miravela {
namespace {

MciReply Ok(QString text = {}) { return {true, std::move(text)}; }
MciReply Failed() { return {}; }

bool Is(const QString& word, const char* keyword) {
  return word.compare(QLatin1String(keyword), Qt::CaseInsensitive) == 0;
}

QStringList Words(const QString& text) {
  return text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
}

QString ModeText(PlayerMode mode) {
  switch (mode) {
    case PlayerMode::Playing:
      return QStringLiteral("playing");
    case PlayerMode::Paused:
      return QStringLiteral("paused");
    case PlayerMode::Stopped:
      return QStringLiteral("stopped");
    case PlayerMode::NotReady:
      break;
  }
  return QStringLiteral("not ready");
}

}  // namespace

MciReply MciInterpreter::Send(const QString& command) {
  const QString text = command.trimmed();
  const qsizetype blank = text.indexOf(QRegularExpression(QStringLiteral("\\s")));
  const QString verb = blank < 0 ? text : text.left(blank);
  const QString rest = blank < 0 ? QString() : text.mid(blank).trimmed();
  const QStringList words = Words(rest);
  if (Is(verb, "open")) return Open(rest);
  if (Is(verb, "close")) return Close(words);
  if (Is(verb, "set")) return Set(words);
  if (Is(verb, "status")) return Status(words);
  if (Is(verb, "play") || Is(verb, "pause") || Is(verb, "resume") || Is(verb, "stop")) return Transport(verb, words);
  return Failed();
}

// The file name may hold blanks, and on this system even double quotes, so a quoted
// name runs to the last quote of the command: nothing after it is ever quoted.
MciReply MciInterpreter::Open(const QString& rest) {
  QString file;
  QStringList options;
  if (rest.startsWith('"')) {
    const qsizetype close = rest.lastIndexOf('"');
    if (close <= 0) return Failed();
    file = rest.mid(1, close - 1);
    options = Words(rest.mid(close + 1));
  } else {
    options = Words(rest);
    if (options.isEmpty()) return Failed();
    file = options.takeFirst();
  }
  QString alias;
  for (qsizetype i = 0; i + 1 < options.size(); i += 2) {
    if (Is(options[i], "alias"))
      alias = options[i + 1];
    else if (!Is(options[i], "type"))
      return Failed();
  }
  if (options.size() % 2 != 0 || alias.isEmpty() || file.isEmpty() || !alias_.isEmpty()) return Failed();
  if (!player_.Load(file)) return Failed();
  alias_ = alias;
  return Ok(QString::number(++lastDevice_));
}

MciReply MciInterpreter::Close(const QStringList& words) {
  if (words.size() != 1) return Failed();
  if (!Is(words[0], "all") && !IsOpenAlias(words[0])) return Failed();
  player_.Unload();
  alias_.clear();
  return Ok();
}

MciReply MciInterpreter::Set(const QStringList& words) {
  if (words.size() != 4 || !IsOpenAlias(words[0]) || !Is(words[1], "time") || !Is(words[2], "format")) return Failed();
  // Milliseconds are the only unit the player counts in.
  return Is(words[3], "milliseconds") || Is(words[3], "ms") ? Ok() : Failed();
}

MciReply MciInterpreter::Status(const QStringList& words) {
  if (words.size() != 2 || !IsOpenAlias(words[0])) return Failed();
  const QString& item = words[1];
  if (Is(item, "mode")) return Ok(ModeText(player_.Mode()));
  const auto ms = Is(item, "length") ? player_.LengthMs() : Is(item, "position") ? player_.PositionMs() : std::nullopt;
  return ms ? Ok(QString::number(*ms)) : Failed();
}

MciReply MciInterpreter::Transport(const QString& verb, const QStringList& words) {
  if (words.size() != 1 || !IsOpenAlias(words[0])) return Failed();
  bool done = false;
  if (Is(verb, "play") || Is(verb, "resume")) {
    done = Is(verb, "play") || player_.Mode() == PlayerMode::Paused ? player_.Play() : false;
  } else if (Is(verb, "pause")) {
    done = player_.Pause();
  } else {
    done = player_.Stop();
  }
  return done ? Ok() : Failed();
}

bool MciInterpreter::IsOpenAlias(const QString& name) const {
  return !alias_.isEmpty() && name.compare(alias_, Qt::CaseInsensitive) == 0;
}

}  // namespace miravela
