#include "watch/watch_settings.h"

#include <gtest/gtest.h>

#include "base/units.h"

namespace miravela {
namespace {

constexpr std::int64_t kMb = kBytesPorMegabyte;

TEST(WatchSettingsTest, PairsAndTheirDefaults) {
  const struct {
    const char* name;
    std::vector<std::pair<QString, QString>> pairs;
    std::optional<std::int64_t> libre;
    int vigia;
  } cases[] = {
      {"without pairs", {}, std::nullopt, 30},
      {"both", {{"LIBRE", "500"}, {"VIGIA", "12"}}, 500, 12},
      {"zero switches the camera watch off", {{"VIGIA", "0"}, {"LIBRE", "0"}}, 0, 0},
      {"not numbers", {{"LIBRE", "mucho"}, {"VIGIA", "30s"}}, std::nullopt, 30},
      {"negative", {{"LIBRE", "-1"}, {"VIGIA", "-5"}}, std::nullopt, 30},
      {"beyond a day", {{"VIGIA", "86401"}}, std::nullopt, 30},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ParesOpcionales pares;
    for (const auto& [key, value] : c.pairs) pares.Fijar(key, value);
    const AjustesVigilancia got = LeerAjustesVigilancia(pares);
    EXPECT_EQ(got.libreMb, c.libre);
    EXPECT_EQ(got.vigiaSegundos, c.vigia);
  }
}

TEST(WatchSettingsTest, ReserveIsAShareOfTheDiskUpToTwoGigabytes) {
  const AjustesVigilancia byShare{};
  EXPECT_EQ(ReservaBytes(byShare, 16 * kMb), 16 * kMb / 100 * 5);
  EXPECT_EQ(ReservaBytes(byShare, 40000 * kMb), 2000 * kMb);
  EXPECT_EQ(ReservaBytes(byShare, 41000 * kMb), 2048 * kMb);
  EXPECT_EQ(ReservaBytes(byShare, 4000000 * kMb), 2048 * kMb);
  EXPECT_EQ(ReservaBytes(byShare, 0), 0);
  const AjustesVigilancia given{.libreMb = 300, .vigiaSegundos = kVigiaPorDefecto};
  EXPECT_EQ(ReservaBytes(given, 4000000 * kMb), 300 * kMb);
  EXPECT_EQ(ReservaBytes(given, 16 * kMb), 300 * kMb);
}

}  // namespace
}  // namespace miravela
