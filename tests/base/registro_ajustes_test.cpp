#include "base/registro_ajustes.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/fakes.h"

namespace miravela {
namespace {

QByteArray Bytes(std::initializer_list<int> values) {
  QByteArray out;
  for (int v : values) out.append(static_cast<char>(v));
  return out;
}

QByteArray Padded(QByteArray meaningful) {
  meaningful.append(QByteArray(static_cast<qsizetype>(RegistroAjustes::kLongitud) - meaningful.size(), '\0'));
  return meaningful;
}

QByteArray Image(const RegistroAjustes& r) {
  auto image = r.Serializar();
  if (!image) return {};
  return QByteArray(reinterpret_cast<const char*>(image->data()), static_cast<qsizetype>(image->size()));
}

struct RecordCase {
  const char* name;
  RegistroAjustes record;
  QByteArray meaningful;
};

RegistroAjustes Make(ValorEtiquetado c1, ValorEtiquetado c2, bool c3, int c4, int c5, int c6) {
  RegistroAjustes r;
  r.Campo1 = c1;
  r.Campo2 = c2;
  r.Campo3 = c3;
  r.Campo4 = c4;
  r.Campo5 = c5;
  r.Campo6 = c6;
  return r;
}

TEST(RegistroAjustes, SerialisesFieldsInOrderAndPadsWithZeros) {
  const RecordCase cases[] = {
      {"two empty values: 18 bytes", RegistroAjustes{}, Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0})},
      {"two 16-bit integers: 22 bytes", Make(ValorEtiquetado::Entero(5), ValorEtiquetado::Entero(-2), true, 1, 2, 3),
       Bytes({2, 0, 5, 0, 2, 0, 0xFE, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0})},
      {"a text and an empty value, negative numbers",
       Make(*ValorEtiquetado::Texto(QString::fromUtf8("Año")), ValorEtiquetado{}, false, -1, 0x01020304, 0),
       Bytes({8, 0, 3, 0, 'A', 0xF1, 'o', 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, 0, 0, 0, 0})},
      {"window position record", Make({}, {}, false, 0, 4815, 30015),
       Bytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xCF, 0x12, 0, 0, 0x3F, 0x75, 0, 0})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Image(c.record), Padded(c.meaningful));
    EXPECT_EQ(RegistroAjustes::Leer(Padded(c.meaningful)), c.record);
  }
}

TEST(RegistroAjustes, TextBudgetIsFortySixBytes) {
  // Two texts of total length 24 use exactly 46 bytes; one more character is refused.
  auto record = [](int a, int b) {
    return Make(*ValorEtiquetado::Texto(QString(a, 'a')), *ValorEtiquetado::Texto(QString(b, 'b')), false, 0, 0, 0);
  };
  EXPECT_TRUE(record(12, 12).Serializar().has_value());
  EXPECT_FALSE(record(12, 13).Serializar().has_value());
  EXPECT_FALSE(ValorEtiquetado::Texto(QString::fromUtf8("日本")).has_value()) << "not in Windows-1252";
}

TEST(RegistroAjustes, TaggedValuesReadAsTheirLeadingNumber) {
  struct {
    ValorEtiquetado value;
    double number;
  } cases[] = {
      {ValorEtiquetado{}, 0},
      {ValorEtiquetado::Entero(-7), -7},
      {*ValorEtiquetado::Texto("42 Fotos"), 42},
      {*ValorEtiquetado::Texto("  3.5x"), 3.5},
      {*ValorEtiquetado::Texto("abc"), 0},
      {*ValorEtiquetado::Texto("1 2"), 12},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(c.value.ComoNumero(), c.number) << c.value.ComoTexto().toStdString();
}

TEST(RegistroAjustes, ShortReadLeavesClearedFields) {
  const QByteArray full = Padded(Bytes({2, 0, 9, 0, 2, 0, 8, 0, 0xFF, 0xFF, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0}));
  const RegistroAjustes r = RegistroAjustes::Leer(full.left(12));
  EXPECT_EQ(r.Campo1.entero(), 9);
  EXPECT_EQ(r.Campo2.entero(), 8);
  EXPECT_TRUE(r.Campo3);
  EXPECT_EQ(r.Campo4, 0);
  EXPECT_EQ(r.Campo6, 0);
}

class SettingsFile : public ::testing::Test {
 protected:
  QTemporaryDir dir;
  QString path() const { return dir.filePath("Miravela.SNR"); }
};

TEST_F(SettingsFile, WritesRecordsAtTheirOffsetsAndKeepsBytesBeyond) {
  test::WriteAll(path(), QByteArray(200, '\x55'));
  QFile::setPermissions(path(), QFileDevice::ReadOwner);  // the user made it read-only
  ASSERT_TRUE(EscribirRegistros(path(), {Make(ValorEtiquetado::Entero(1), {}, false, 0, 0, 0),
                                         Make({}, ValorEtiquetado::Entero(2), false, 0, 0, 7)}));
  const QByteArray bytes = test::ReadAll(path());
  ASSERT_EQ(bytes.size(), 200);
  EXPECT_EQ(bytes.mid(0, 4), Bytes({2, 0, 1, 0}));
  EXPECT_EQ(bytes.mid(46, 6), Bytes({0, 0, 2, 0, 2, 0}));
  EXPECT_EQ(bytes.mid(46 + 16, 4), Bytes({7, 0, 0, 0}));
  EXPECT_EQ(bytes.mid(92), QByteArray(108, '\x55'));

  const auto back = LeerRegistros(path(), 3);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ((*back)[0].Campo1.entero(), 1);
  EXPECT_EQ((*back)[1].Campo6, 7);
}

TEST_F(SettingsFile, RecordThatDoesNotFitLeavesTheOldFileWhole) {
  const QByteArray old(92, '\x11');
  test::WriteAll(path(), old);
  const RegistroAjustes tooLong = Make(*ValorEtiquetado::Texto(QString(40, 'z')), {}, false, 0, 0, 0);
  EXPECT_FALSE(EscribirRegistros(path(), {RegistroAjustes{}, tooLong}));
  EXPECT_EQ(test::ReadAll(path()), old);
}

TEST_F(SettingsFile, MissingFileMeansDefaultsAndShortFileGivesClearedRecords) {
  EXPECT_FALSE(LeerRegistros(path(), 1).has_value());
  test::WriteAll(path(), Padded(Bytes({2, 0, 4, 0})));
  const auto records = LeerRegistros(path(), 3);
  ASSERT_TRUE(records.has_value());
  EXPECT_EQ((*records)[0].Campo1.entero(), 4);
  EXPECT_EQ((*records)[2], RegistroAjustes{});
}

}  // namespace
}  // namespace miravela
