#include "journal/event_journal.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "base/fake_clock.h"

namespace miravela {
namespace {

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST(EventJournalTest, EventsHaveTheirJournalNames) {
  const std::pair<JournalEvent, const char*> cases[] = {
      {JournalEvent::Inicio, "INICIO"},
      {JournalEvent::Fin, "FIN"},
      {JournalEvent::CamaraConectada, "CAMARA CONECTADA"},
      {JournalEvent::CamaraDesconectada, "CAMARA DESCONECTADA"},
      {JournalEvent::CamaraPerdida, "CAMARA PERDIDA"},
      {JournalEvent::CamaraRecuperada, "CAMARA RECUPERADA"},
      {JournalEvent::CamaraTapada, "CAMARA TAPADA"},
      {JournalEvent::Alarma, "ALARMA"},
      {JournalEvent::DiscoLiberado, "DISCO LIBERADO"},
      {JournalEvent::DiscoLleno, "DISCO LLENO"},
      {JournalEvent::CorreoEnviado, "CORREO ENVIADO"},
      {JournalEvent::CorreoFallido, "CORREO FALLIDO"},
  };
  for (const auto& [event, name] : cases) EXPECT_EQ(JournalEventName(event), QString(name));
}

TEST(EventJournalTest, LinesAreTimeEventAndDetailSeparatedByTabs) {
  const QDateTime when(QDate(2026, 3, 7), QTime(9, 5, 4));
  const struct {
    JournalEvent event;
    QString detail;
    QByteArray line;
  } cases[] = {
      {JournalEvent::Inicio, "", "2026-03-07 09:05:04\tINICIO\t\n"},
      {JournalEvent::Alarma, "2026-03-07/2026-03-07 (090504) 1.jpg",
       "2026-03-07 09:05:04\tALARMA\t2026-03-07/2026-03-07 (090504) 1.jpg\n"},
      // UTF-8, as the folders of a Spanish desktop are named.
      {JournalEvent::CamaraConectada, "Cámara del año",
       "2026-03-07 09:05:04\tCAMARA CONECTADA\tC\xc3\xa1mara del a\xc3\xb1o\n"},
      // A file name may hold tabs and line breaks; the journal keeps one event a line.
      {JournalEvent::DiscoLiberado, "a\tb\nc\rd", "2026-03-07 09:05:04\tDISCO LIBERADO\ta b c d\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(JournalLine(when, c.event, c.detail), c.line) << c.detail.toStdString();
  EXPECT_EQ(JournalLine(when, JournalEvent::Fin, QString(5000, u'x')).size(), 19 + 5 + kDetalleMaximo + 1);
}

TEST(EventJournalTest, PhotographsAreNamedInsideTheImagesFolder) {
  EXPECT_EQ(PathInImages("/home/u/Imágenes/C1", "/home/u/Imágenes/C1/2026-12-10/2026-12-10 (120000) 1.jpg"),
            "2026-12-10/2026-12-10 (120000) 1.jpg");
  EXPECT_EQ(PathInImages("/home/u/Imágenes/C1/", "/home/u/Imágenes/C1/x.jpg"), "x.jpg");
  EXPECT_EQ(PathInImages("/home/u/Imágenes/C1", "/home/u/Imágenes/C10/x.jpg"), "/home/u/Imágenes/C10/x.jpg");
}

class JournalFileTest : public ::testing::Test {
 protected:
  QString Path() const { return dir_.filePath("Recursos/Miravela.LOG"); }
  QTemporaryDir dir_;
  FakeClock clock_;
};

// Every line is on disk as soon as it is written, after what was there before.
TEST_F(JournalFileTest, AppendsEachLineAtOnce) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Recursos"));
  QFile old(Path());
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write("earlier\n");
  old.close();
  EventJournal journal(clock_, Path());
  journal.Write(JournalEvent::Inicio);
  EXPECT_EQ(ReadAll(Path()), "earlier\n2026-12-10 12:00:00\tINICIO\t\n");
  clock_.Advance(61000);
  journal.Write(JournalEvent::CamaraPerdida, "Patio");
  EXPECT_EQ(ReadAll(Path()), "earlier\n2026-12-10 12:00:00\tINICIO\t\n2026-12-10 12:01:01\tCAMARA PERDIDA\tPatio\n");
  EXPECT_EQ(journal.Pending(), 0u);
}

// A journal that cannot be written keeps its lines, in order, for the next write.
TEST_F(JournalFileTest, LinesThatCouldNotBeWrittenGoFirstLater) {
  EventJournal journal(clock_, Path());  // its folder does not exist yet
  journal.Write(JournalEvent::DiscoLleno);
  clock_.Advance(1000);
  journal.Write(JournalEvent::CamaraTapada);
  EXPECT_EQ(journal.Pending(), 2u);
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Recursos"));
  clock_.Advance(1000);
  journal.Write(JournalEvent::Fin);
  EXPECT_EQ(ReadAll(Path()),
            "2026-12-10 12:00:00\tDISCO LLENO\t\n2026-12-10 12:00:01\tCAMARA TAPADA\t\n2026-12-10 12:00:02\tFIN\t\n");
  EXPECT_EQ(journal.Pending(), 0u);
}

// At the limit the journal moves aside to .1, replacing an older one, and starts
// anew; no line is split between the two and none is lost but the oldest file's.
TEST_F(JournalFileTest, RollsOverAtOneMegabyte) {
  ASSERT_TRUE(QDir(dir_.path()).mkpath("Recursos"));
  EventJournal journal(clock_, Path());
  const QString detail(80, u'd');
  const qint64 lineSize = JournalLine(clock_.Now(), JournalEvent::Alarma, detail).size();
  const qint64 perFile = kLimiteDiario / lineSize;
  const qint64 lines = 2 * perFile + 10;  // rolls twice
  for (qint64 i = 0; i < lines; ++i) journal.Write(JournalEvent::Alarma, detail);

  const QByteArray current = ReadAll(Path()), previous = ReadAll(Path() + ".1");
  EXPECT_LE(current.size(), kLimiteDiario);
  EXPECT_LE(previous.size(), kLimiteDiario);
  EXPECT_EQ(previous.size(), perFile * lineSize);  // a full file, ended by a whole line
  EXPECT_EQ(current.count('\n'), 10);
  EXPECT_TRUE(previous.endsWith('\n'));
  EXPECT_FALSE(QFile::exists(Path() + ".2"));
}

}  // namespace
}  // namespace miravela
