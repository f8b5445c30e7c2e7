#include "schedule/programacion.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/fakes.h"

namespace miravela {
namespace {

void AppendLe(QByteArray& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// One record as the settings file holds it: two texts, the flag, the day count,
// two zero numbers, zero padding.
QByteArray Record(const char* on, const char* off, bool active, std::int32_t days) {
  QByteArray r;
  for (const QByteArray& text : {QByteArray(on), QByteArray(off)}) {
    AppendLe(r, 8, 2);
    AppendLe(r, static_cast<std::uint32_t>(text.size()), 2);
    r += text;
  }
  AppendLe(r, active ? 0xFFFF : 0, 2);
  AppendLe(r, static_cast<std::uint32_t>(days), 4);
  AppendLe(r, 0, 4);
  AppendLe(r, 0, 4);
  return r + QByteArray(46 - r.size(), '\0');
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Schedule, WrittenByteForByteAndReadBack) {
  QTemporaryDir dir;
  const QString prg = dir.path() + "/Miravela.PRG";
  Programacion p;
  p.HoraEncendido = {"06:45", "07:00", "19:30"};
  p.HoraApagado = {"23:15", "22:00", "05:00"};
  p.FuncionActiva = {true, false, true};
  p.DiasGuardar = 30;
  ASSERT_TRUE(EscribirProgramacion(prg, p));
  EXPECT_EQ(ReadAll(prg).toHex(), (Record("06:45", "23:15", true, 30) + Record("07:00", "22:00", false, 30) +
                                   Record("19:30", "05:00", true, 30))
                                      .toHex());
  Programacion back;
  LeerProgramacion(prg, back);
  EXPECT_EQ(back.HoraEncendido, p.HoraEncendido);
  EXPECT_EQ(back.HoraApagado, p.HoraApagado);
  EXPECT_EQ(back.FuncionActiva, p.FuncionActiva);
  EXPECT_EQ(back.DiasGuardar, 30);
}

TEST(Schedule, DefaultsWithoutAFileKeepTheOnOffEntries) {
  QTemporaryDir dir;
  Programacion p;
  p.HoraEncendido = {"01:00", "02:00", "03:00"};
  p.HoraApagado = {"04:00", "05:00", "06:00"};
  p.FuncionActiva = {false, true, false};
  p.DiasGuardar = 5;
  LeerProgramacion(dir.path() + "/Miravela.PRG", p);
  EXPECT_EQ(p.HoraEncendido, (std::array<QString, 3>{"07:00", "07:00", "19:00"}));
  EXPECT_EQ(p.HoraApagado, (std::array<QString, 3>{"22:00", "22:00", "05:00"}));
  EXPECT_EQ(p.FuncionActiva, (std::array<bool, 3>{false, true, false}));
  EXPECT_EQ(p.DiasGuardar, 365);
}

TEST(Schedule, DamagedFilesReadAsDefaultsWhereTheyFail) {
  QTemporaryDir dir;
  const QString prg = dir.path() + "/Miravela.PRG";
  struct Case {
    const char* name;
    QByteArray bytes;
    std::array<QString, 3> on;
    std::array<bool, 3> active;
    std::int32_t days;
  };
  const QByteArray good = Record("08:00", "20:00", true, 0);
  const Case cases[] = {
      {"bad time texts",
       Record("8:00", "20:00", true, 0) + Record("24:00", "22:00", true, 9) + Record("ab:cd", "05:00", false, 9),
       {"07:00", "07:00", "19:00"},
       {true, true, false},
       0},
      {"empty file", QByteArray(), {"07:00", "07:00", "19:00"}, {false, false, false}, 365},
      {"cut in the first record", good.left(30), {"07:00", "07:00", "19:00"}, {false, false, false}, 365},
      {"cut in the second record", good + good.left(10), {"08:00", "07:00", "19:00"}, {true, false, false}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteAll(prg, c.bytes);
    Programacion p;
    LeerProgramacion(prg, p);
    EXPECT_EQ(p.HoraEncendido, c.on);
    EXPECT_EQ(p.FuncionActiva, c.active);
    EXPECT_EQ(p.DiasGuardar, c.days);
  }
}

TEST(Schedule, TimeTextsMustBeTwoDigitHoursAndMinutes) {
  struct Case {
    const char* text;
    bool valid;
  };
  for (const Case& c : {Case{"00:00", true}, Case{"23:59", true}, Case{"7:00", false}, Case{"24:00", false},
                        Case{"12:60", false}, Case{" 12:00", false}, Case{"", false}})
    EXPECT_EQ(HoraProgramada(c.text).has_value(), c.valid) << c.text;
}

}  // namespace
}  // namespace miravela
