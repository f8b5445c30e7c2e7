#pragma once
// The event journal Recursos/Miravela.LOG: one line for each thing a user may need to
// know of afterwards (the program starting and ending, the camera coming and going,
// alarms, the disk, mail), written as it happens, so a crash or a power cut loses
// nothing already noted.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <deque>

#include "base/model_timer.h"
#include "base/units.h"

namespace miravela {

enum class JournalEvent {
  Inicio,
  Fin,
  CamaraConectada,
  CamaraDesconectada,
  CamaraPerdida,
  CamaraRecuperada,
  CamaraTapada,
  Alarma,
  DiscoLiberado,
  DiscoLleno,
  CorreoEnviado,
  CorreoFallido,
};

// The event's name as it stands in the journal ("CAMARA PERDIDA").
QString JournalEventName(JournalEvent event);

inline constexpr const char* kArchivoDiario = "Recursos/Miravela.LOG";
// The journal is kept under this size by moving it aside to the same name plus ".1".
inline constexpr std::int64_t kLimiteDiario = kBytesPorMegabyte;
// A detail longer than this is cut: no single event may crowd out the rest.
inline constexpr int kDetalleMaximo = 2048;

// "yyyy-mm-dd hh:mm:ss<TAB>EVENT<TAB>detail\n" in UTF-8. Tabs and line breaks inside
// the detail (a file name may hold them) become blanks, so every event stays one line
// of three fields.
QByteArray JournalLine(const QDateTime& when, JournalEvent event, const QString& detail);

// The photograph's path as the journal names it: inside the images folder when it is
// there, in full otherwise.
QString PathInImages(const QString& carpetaImagenes, const QString& photo);

class EventJournal {
 public:
  EventJournal(Clock& clock, QString path, std::int64_t limit = kLimiteDiario);

  // Notes the event at the clock's time.
  void Write(JournalEvent event, const QString& detail = {});
  void Write(JournalEvent event, const QString& detail, const QDateTime& when);

  // Lines that could not be written yet (a full disk, a folder that went away). They
  // are kept in order and go first the next time a line is written.
  std::size_t Pending() const { return pending_.size(); }
  const QString& Path() const { return path_; }

 private:
  bool WritePending();
  void RollOverFor(std::int64_t size, std::int64_t lineSize);

  Clock& clock_;
  QString path_;
  std::int64_t limit_;
  std::deque<QByteArray> pending_;
};

}  // namespace miravela
