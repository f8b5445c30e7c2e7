#include "watch/disk_guard.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include "base/fake_clock.h"

namespace miravela {
namespace {

constexpr std::int64_t kMb = kBytesPorMegabyte;

// A disk of a given size holding the images folder and nothing else but `foreign`:
// its free space follows the files really in the folder.
class VirtualDisk : public FreeSpaceProbe {
 public:
  VirtualDisk(QString root, std::int64_t capacity) : root_(std::move(root)), capacity_(capacity) {}
  std::optional<DiskSpace> Measure(const QString&) override {
    if (!readable) return std::nullopt;
    std::int64_t used = foreign;
    for (QDirIterator it(root_, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories); it.hasNext();)
      used += it.nextFileInfo().size();
    return DiskSpace{capacity_ - used, capacity_};
  }
  std::int64_t foreign = 0;
  bool readable = true;

 private:
  QString root_;
  std::int64_t capacity_;
};

class DiskGuardTest : public ::testing::Test {
 protected:
  QString Images() const { return dir_.path(); }
  void File(const QString& relative, std::int64_t size) {
    const QString path = dir_.filePath(relative);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(size));
  }
  void Photos(const QString& day, int count, std::int64_t size = kMb) {
    for (int i = 1; i <= count; ++i) File(day + '/' + day + QStringLiteral(" (120000) %1.jpg").arg(i), size);
  }
  bool Exists(const QString& relative) const { return QFileInfo::exists(dir_.filePath(relative)); }
  DiskGuard Guard(VirtualDisk& disk, std::optional<std::int64_t> libreMb) {
    ajustes_.libreMb = libreMb;
    return DiskGuard({.clock = clock_,
                      .espacio = disk,
                      .carpetaImagenes = images_,
                      .ajustes = ajustes_,
                      .liberado = [this](const QString& day) { pruned_ << day; },
                      .lleno = [this] { ++full_; }});
  }

  QTemporaryDir dir_;
  QString images_ = dir_.path();
  FakeClock clock_;  // 2026-12-10
  AjustesVigilancia ajustes_;
  QStringList pruned_;
  int full_ = 0;
};

// The oldest days give up the program's photographs until the reserve is free again;
// what the user put there stays, and so does the folder that holds it.
TEST_F(DiskGuardTest, OldestDaysGoUntilTheReserveIsFree) {
  Photos("2026-12-01", 2);
  File("2026-12-01/leeme.txt", 10);
  Photos("2026-12-02", 2);
  Photos("2026-12-03", 2);
  Photos("2026-12-10", 1);
  File("notas.bin", kMb);
  File("Vacaciones/2020-01-01 (120000) 1.jpg", kMb);  // not a day folder
  VirtualDisk disk(Images(), 10 * kMb);               // 9 MB used
  DiskGuard guard = Guard(disk, 4);

  EXPECT_TRUE(guard.HacerSitio());
  EXPECT_EQ(pruned_, QStringList({"2026-12-01", "2026-12-02"}));
  EXPECT_TRUE(Exists("2026-12-01/leeme.txt"));
  EXPECT_FALSE(Exists("2026-12-01/2026-12-01 (120000) 1.jpg"));
  EXPECT_FALSE(Exists("2026-12-02"));
  EXPECT_TRUE(Exists("2026-12-03/2026-12-03 (120000) 2.jpg"));
  EXPECT_TRUE(Exists("2026-12-10/2026-12-10 (120000) 1.jpg"));
  EXPECT_TRUE(Exists("notas.bin"));
  EXPECT_TRUE(Exists("Vacaciones/2020-01-01 (120000) 1.jpg"));
  EXPECT_EQ(full_, 0);
  EXPECT_FALSE(guard.Lleno());

  // With room enough nothing is touched.
  EXPECT_TRUE(guard.HacerSitio());
  EXPECT_EQ(pruned_.size(), 2);
}

// With only today's photographs (and the user's files) left, the photograph is refused,
// the full disk is said once however many alarms follow, and a disk made free is used at
// once; a later shortage is said again.
TEST_F(DiskGuardTest, FullDiskIsReportedOnceAndFreedDiskUsedAtOnce) {
  File("2026-12-01/leeme.txt", 10);  // a day without photographs: nothing to prune
  Photos("2026-12-10", 4);
  Photos("2027-01-01", 2);  // dated after today by a clock once set wrong: never pruned
  VirtualDisk disk(Images(), 10 * kMb);
  disk.foreign = 3 * kMb;  // 9 MB used
  DiskGuard guard = Guard(disk, 2);

  for (int alarm = 0; alarm < 3; ++alarm) EXPECT_FALSE(guard.HacerSitio());
  EXPECT_EQ(full_, 1);
  EXPECT_TRUE(guard.Lleno());
  EXPECT_TRUE(pruned_.isEmpty());
  EXPECT_TRUE(Exists("2026-12-01/leeme.txt"));
  EXPECT_TRUE(Exists("2027-01-01/2027-01-01 (120000) 2.jpg"));
  EXPECT_TRUE(Exists("2026-12-10/2026-12-10 (120000) 4.jpg"));

  disk.foreign = 0;
  ASSERT_TRUE(guard.HacerSitio());
  guard.FotoGuardada(true);
  EXPECT_FALSE(guard.Lleno());

  disk.foreign = 4 * kMb;
  EXPECT_FALSE(guard.HacerSitio());
  EXPECT_EQ(full_, 2);
}

// A write that failed is a full disk only when the disk has no room left.
TEST_F(DiskGuardTest, FailedWriteCountsAsFullOnlyWithoutRoom) {
  const struct {
    const char* name;
    std::int64_t foreign;
    bool readable;
    bool full;
  } cases[] = {
      {"no room", 100 * kMb - kSitioFoto + 1, true, true},
      {"room left", 10 * kMb, true, false},
      {"disk unreadable", 0, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    full_ = 0;
    VirtualDisk disk(Images(), 100 * kMb);
    disk.foreign = c.foreign;
    disk.readable = c.readable;
    DiskGuard guard = Guard(disk, 0);
    EXPECT_TRUE(guard.HacerSitio());  // a reserve of 0, or no reading: the write decides
    guard.FotoGuardada(false);
    EXPECT_EQ(guard.Lleno(), c.full);
    EXPECT_EQ(full_, c.full ? 1 : 0);
  }
}

}  // namespace
}  // namespace miravela
