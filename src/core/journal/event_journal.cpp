#include "journal/event_journal.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace miravela {
namespace {

// Lines kept while the journal cannot be written; beyond this the oldest go, so a
// disk that stays full cannot make the program grow without end.
constexpr std::size_t kPendientesMaximo = 1000;

QString OneLine(QString text) {
  for (QChar& c : text)
    if (c == u'\t' || c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator) c = u' ';
  if (text.size() > kDetalleMaximo) text.truncate(kDetalleMaximo);
  return text;
}

}  // namespace

QString JournalEventName(JournalEvent event) {
  switch (event) {
    case JournalEvent::Inicio:
      return QStringLiteral("INICIO");
    case JournalEvent::Fin:
      return QStringLiteral("FIN");
    case JournalEvent::CamaraConectada:
      return QStringLiteral("CAMARA CONECTADA");
    case JournalEvent::CamaraDesconectada:
      return QStringLiteral("CAMARA DESCONECTADA");
    case JournalEvent::CamaraPerdida:
      return QStringLiteral("CAMARA PERDIDA");
    case JournalEvent::CamaraRecuperada:
      return QStringLiteral("CAMARA RECUPERADA");
    case JournalEvent::CamaraTapada:
      return QStringLiteral("CAMARA TAPADA");
    case JournalEvent::Alarma:
      return QStringLiteral("ALARMA");
    case JournalEvent::DiscoLiberado:
      return QStringLiteral("DISCO LIBERADO");
    case JournalEvent::DiscoLleno:
      return QStringLiteral("DISCO LLENO");
    case JournalEvent::CorreoEnviado:
      return QStringLiteral("CORREO ENVIADO");
    case JournalEvent::CorreoFallido:
      return QStringLiteral("CORREO FALLIDO");
  }
  return {};
}

QByteArray JournalLine(const QDateTime& when, JournalEvent event, const QString& detail) {
  const QString line =
      when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) + u'\t' + JournalEventName(event) + u'\t' + OneLine(detail);
  return line.toUtf8() + '\n';
}

QString PathInImages(const QString& carpetaImagenes, const QString& photo) {
  const QString images = QDir::cleanPath(QDir(carpetaImagenes).absolutePath());
  const QString full = QDir::cleanPath(QFileInfo(photo).absoluteFilePath());
  if (full.startsWith(images + u'/')) return full.mid(images.size() + 1);
  return photo;
}

EventJournal::EventJournal(Clock& clock, QString path, std::int64_t limit)
    : clock_(clock), path_(std::move(path)), limit_(limit) {}

void EventJournal::Write(JournalEvent event, const QString& detail) { Write(event, detail, clock_.Now()); }

void EventJournal::Write(JournalEvent event, const QString& detail, const QDateTime& when) {
  pending_.push_back(JournalLine(when, event, detail));
  while (pending_.size() > kPendientesMaximo) pending_.pop_front();
  WritePending();
}

void EventJournal::RollOverFor(std::int64_t size, std::int64_t lineSize) {
  if (size == 0 || size + lineSize <= limit_) return;
  const QByteArray from = QFile::encodeName(path_);
  const QByteArray to = QFile::encodeName(path_ + QStringLiteral(".1"));
  std::rename(from.constData(), to.constData());  // replaces the older journal at once
}

bool EventJournal::WritePending() {
  while (!pending_.empty()) {
    const QByteArray& line = pending_.front();
    const QFileInfo info(path_);
    RollOverFor(info.exists() ? info.size() : 0, line.size());
    QFile file(path_);
    // Unbuffered: each line reaches the system with its own write, whole or not at all.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return false;
    const qint64 before = file.size();
    if (file.write(line) != line.size()) {
      file.resize(before);  // half a line would run into the next one
      return false;
    }
    pending_.pop_front();
  }
  return true;
}

}  // namespace miravela
