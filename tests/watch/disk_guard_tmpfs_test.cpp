// The disk guard on a real, small file system (a tmpfs of a few megabytes, which needs
// root to mount): real photographs, real foreign files, a disk filled to the last bytes.
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>

#include "alarm/grabador_fotos.h"
#include "alarm/jpeg/jpeg_encoder.h"
#include "base/day_folders.h"
#include "base/fake_clock.h"
#include "journal/event_journal.h"
#include "watch/disk_guard.h"

namespace miravela {
namespace {

// A photograph of noise: about 100 KB, as a scene with much detail gives.
QImage Noise(quint32 seed) {
  QImage image(320, 240, QImage::Format_RGB32);
  QRandomGenerator random(seed);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<quint32*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) line[x] = random.generate() | 0xff000000u;
  }
  return image;
}

class SmallDiskTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(mount_.isValid() && other_.isValid());
    if (::geteuid() != 0) GTEST_SKIP() << "mounting a small file system needs root";
    if (::mount("tmpfs", QFile::encodeName(mount_.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=6m") != 0)
      GTEST_SKIP() << "tmpfs cannot be mounted here: " << std::strerror(errno);
    mounted_ = true;
    images_ = mount_.filePath("Imágenes/C1");
    ASSERT_TRUE(QDir().mkpath(images_));
  }
  void TearDown() override {
    if (mounted_) ::umount2(QFile::encodeName(mount_.path()).constData(), MNT_DETACH);
  }

  // One photograph as the recorder writes it: room made first, told of the outcome.
  bool Photograph(DiskGuard& guard, int number) {
    if (!guard.HacerSitio()) return false;
    const QString day = images_ + u'/' + NombreCarpetaDia(clock_.Now().date());
    QDir().mkpath(day);
    cJpeg jpeg;
    const bool written =
        GuardarJpeg(jpeg, Noise(static_cast<quint32>(number)), 90, day + u'/' + NombreFoto(clock_.Now(), number));
    guard.FotoGuardada(written);
    clock_.Advance(1000);
    return written;
  }
  DiskGuard Guard(std::optional<std::int64_t> libreMb) {
    ajustes_.libreMb = libreMb;
    return DiskGuard({.clock = clock_,
                      .espacio = probe_,
                      .carpetaImagenes = images_,
                      .ajustes = ajustes_,
                      .liberado = [this](const QString& day) { journal_.Write(JournalEvent::DiscoLiberado, day); },
                      .lleno = [this] { journal_.Write(JournalEvent::DiscoLleno); }});
  }
  void Old(const QString& day, int photographs) {
    ASSERT_TRUE(QDir().mkpath(images_ + u'/' + day));
    for (int i = 1; i <= photographs; ++i) {
      cJpeg jpeg;
      ASSERT_TRUE(GuardarJpeg(jpeg, Noise(static_cast<quint32>(i)), 90,
                              images_ + u'/' + day + u'/' + day + QStringLiteral(" (080000) %1.jpg").arg(i)));
    }
  }
  QStringList JournalEvents() const {
    QFile file(journal_.Path());
    QStringList events;
    if (file.open(QIODevice::ReadOnly))
      for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.isEmpty()) events << QString::fromUtf8(line.split('\t').value(1) + ' ' + line.split('\t').value(2));
    return events;
  }
  QStringList TodaysPhotographs() const {
    return QDir(images_ + u'/' + NombreCarpetaDia(clock_.Now().date())).entryList(QDir::Files, QDir::Name);
  }
  static void Write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  QTemporaryDir mount_, other_;
  bool mounted_ = false;
  QString images_;
  FakeClock clock_;  // 2026-12-10 12:00
  AjustesVigilancia ajustes_;
  StorageFreeSpace probe_;
  EventJournal journal_{clock_, other_.filePath("Miravela.LOG")};
};

TEST_F(SmallDiskTest, OldDaysMakeRoomForTodayAndForeignFilesStay) {
  Old("2026-12-01", 6);
  Old("2026-12-02", 6);
  Old("2026-12-03", 6);
  Write(images_ + "/notas.txt", QByteArray(300000, 'n'));
  Write(images_ + "/2026-12-01/leeme.txt", "mine\n");
  DiskGuard guard = Guard(1);

  // Today's photographs keep coming until two old days have made room, and after.
  int taken = 0;
  while (JournalEvents().size() < 2 && taken < 60) ASSERT_TRUE(Photograph(guard, ++taken)) << "photograph " << taken;
  for (int more = 0; more < 3; ++more) ASSERT_TRUE(Photograph(guard, ++taken)) << "photograph " << taken;

  EXPECT_EQ(QDir(images_ + "/2026-12-01").entryList(QDir::Files), QStringList{"leeme.txt"});
  EXPECT_FALSE(QFileInfo::exists(images_ + "/2026-12-02"));
  EXPECT_TRUE(QFileInfo::exists(images_ + "/notas.txt"));
  const QStringList journal = JournalEvents();
  ASSERT_GE(journal.size(), 2);
  EXPECT_EQ(journal.mid(0, 2), QStringList({"DISCO LIBERADO 2026-12-01", "DISCO LIBERADO 2026-12-02"}));
  EXPECT_FALSE(journal.contains("DISCO LLENO "));
  const QStringList today = TodaysPhotographs();
  ASSERT_EQ(today.size(), taken);
  for (const QString& name : today)
    EXPECT_FALSE(QImage(images_ + "/2026-12-10/" + name).isNull()) << name.toStdString();
  EXPECT_GE(StorageFreeSpace().Measure(images_)->freeBytes, kBytesPorMegabyte - 200000);
}

// A foreign file takes the disk to its last kilobytes: no photograph and no part of one,
// the full disk said once, and the first photograph after room is freed is saved.
TEST_F(SmallDiskTest, FullDiskIsSaidOnceAndPhotographsComeBackWithRoom) {
  const QString filler = mount_.filePath("relleno.bin");
  {
    QFile file(filler);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (file.write(block) == block.size()) {
    }
  }
  ASSERT_LT(StorageFreeSpace().Measure(images_)->freeBytes, 8192);

  // With a reserve the photograph is not even tried; without one the write fails.
  for (std::optional<std::int64_t> libre : {std::optional<std::int64_t>(1), std::optional<std::int64_t>(0)}) {
    SCOPED_TRACE(libre ? *libre : -1);
    DiskGuard guard = Guard(libre);
    for (int i = 1; i <= 3; ++i) EXPECT_FALSE(Photograph(guard, i));
    EXPECT_TRUE(guard.Lleno());
    EXPECT_TRUE(TodaysPhotographs().isEmpty());
  }
  EXPECT_EQ(JournalEvents(), QStringList({"DISCO LLENO ", "DISCO LLENO "}));  // once for each guard

  ASSERT_TRUE(QFile::remove(filler));
  DiskGuard guard = Guard(1);
  ASSERT_TRUE(Photograph(guard, 4));
  EXPECT_FALSE(guard.Lleno());
  ASSERT_EQ(TodaysPhotographs().size(), 1);
  EXPECT_FALSE(QImage(images_ + "/2026-12-10/" + TodaysPhotographs().front()).isNull());
}

}  // namespace
}  // namespace miravela
