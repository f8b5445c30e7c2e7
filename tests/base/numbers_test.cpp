#include "base/numbers.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cstdlib>
#include <limits>
#include <string>

namespace miravela {
namespace {

constexpr const char* kLocaleComa = "es_ES.UTF-8";

// Runs a test with a locale whose decimal separator is a comma. A machine that lacks
// it gets it compiled into a private folder, which needs no administrator.
class LocaleComa : public ::testing::Test {
 protected:
  void SetUp() override {
    anterior_ = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, kLocaleComa)) Compilar();
    if (!std::setlocale(LC_NUMERIC, kLocaleComa)) GTEST_SKIP() << "cannot make " << kLocaleComa << ": " << motivo_;
    ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
  }
  void TearDown() override {
    std::setlocale(LC_NUMERIC, anterior_.c_str());
    if (!locpath_.empty()) unsetenv("LOCPATH");
  }

 private:
  void Compilar() {
    if (!carpeta_.isValid()) {
      motivo_ = "no temporary folder";
      return;
    }
    QProcess localedef;
    localedef.start(QStringLiteral("localedef"),
                    {"-i", "es_ES", "-f", "UTF-8", carpeta_.filePath(QString::fromLatin1(kLocaleComa))});
    if (!localedef.waitForFinished(60000) || localedef.exitCode() != 0) {
      motivo_ = "localedef failed: " + localedef.readAllStandardError().toStdString();
      return;
    }
    locpath_ = carpeta_.path().toStdString();
    setenv("LOCPATH", locpath_.c_str(), 1);
  }

  std::string anterior_;
  std::string locpath_;
  std::string motivo_;
  QTemporaryDir carpeta_;
};

TEST_F(LocaleComa, LeadingNumberReadsAPointWhateverTheLocale) {
  const struct {
    const char* texto;
    double numero;
  } casos[] = {
      {"43200.12", 43200.12}, {"  -3.5e2x", -350.0}, {"+7", 7.0}, {"1,5", 1.0},
      {".25", 0.25},          {"1e999", 0.0},        {"-", 0.0},  {"2.5e", 2.5},
  };
  for (const auto& c : casos) EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromLatin1(c.texto)), c.numero) << c.texto;
}

TEST(RoundHalfEven, HalvesToEvenAndSaturatesBeyondTheRange) {
  using Limits = std::numeric_limits<std::int64_t>;
  const struct {
    double valor;
    std::int64_t entero;
  } casos[] = {
      {2.5, 2},
      {3.5, 4},
      {-2.5, -2},
      {1e30, Limits::max()},
      {-1e30, Limits::min()},
      {9223372036854775808.0, Limits::max()},
      {-9223372036854775808.0, Limits::min()},
      {std::numeric_limits<double>::infinity(), Limits::max()},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : casos) EXPECT_EQ(RoundHalfEven(c.valor), c.entero) << c.valor;
}

}  // namespace
}  // namespace miravela
