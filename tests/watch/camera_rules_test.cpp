#include "watch/camera_rules.h"

#include <gtest/gtest.h>

#include <vector>

namespace miravela {
namespace {

TEST(LostCameraRuleTest, LostOnceAfterTheLimitAndRecoveredByAFrame) {
  using Change = LostCameraRule::Change;
  LostCameraRule rule(30000);
  EXPECT_EQ(rule.Check(100000), Change::None);  // not connected
  rule.Start(1000);
  EXPECT_EQ(rule.Check(30999), Change::None);
  EXPECT_EQ(rule.Frame(20000), Change::None);
  EXPECT_EQ(rule.Check(49999), Change::None);
  EXPECT_EQ(rule.Check(50000), Change::Lost);
  EXPECT_EQ(rule.Check(90000), Change::None);  // said once
  EXPECT_TRUE(rule.Lost());
  EXPECT_EQ(rule.Frame(95000), Change::Recovered);
  EXPECT_EQ(rule.Frame(95100), Change::None);
  EXPECT_EQ(rule.Check(125099), Change::None);
  rule.Stop();
  EXPECT_EQ(rule.Check(500000), Change::None);

  LostCameraRule off(0);
  off.Start(0);
  EXPECT_EQ(off.Check(1000000), Change::None);
}

// Detail readings once a second from t = 0 s; the hold is 5 s.
struct Reading {
  const char* name;
  std::vector<double> detail;
  int coveredAt;  // second at which the camera is found covered, or -1
};

std::vector<double> Ramp(double from, double to, int seconds) {
  std::vector<double> out;
  for (int s = 0; s <= seconds; ++s) out.push_back(from + (to - from) * s / seconds);
  return out;
}

std::vector<double> Then(std::vector<double> a, const std::vector<double>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST(CoveredCameraRuleTest, SuddenLossOfDetailThatStays) {
  const std::vector<double> covered(12, 0.5);
  const Reading cases[] = {
      {"covered", Then({40, 40, 40}, covered), 8},
      {"covered within two seconds", Then({40, 40, 10}, covered), 8},
      {"covered in the first second of watching", Then({40}, covered), 6},
      {"a hand that passes", Then(Then({40, 40, 1, 1, 1, 40}, {40, 40}), {40}), -1},
      {"dusk over a minute, from a contrasted scene", Then(Ramp(120, 0.5, 60), covered), -1},
      {"dusk over a minute, then a dark night", Then(Ramp(40, 2, 60), std::vector<double>(20, 2)), -1},
      {"dark but detailed night", std::vector<double>(20, 6), -1},
      {"lights out, the night still detailed", Then({40, 40}, std::vector<double>(12, 6)), -1},
      {"covered at night: too dark to tell", Then({3, 3, 3}, covered), -1},
      {"covered, uncovered, covered again",
       Then(Then(Then({40}, std::vector<double>(6, 0.5)), {40}), std::vector<double>(6, 0.5)), 6},
  };
  for (const Reading& c : cases) {
    SCOPED_TRACE(c.name);
    CoveredCameraRule rule(5000);
    std::vector<int> found;
    for (std::size_t s = 0; s < c.detail.size(); ++s)
      if (rule.Sample(static_cast<std::int64_t>(s) * 1000, c.detail[s])) found.push_back(static_cast<int>(s));
    if (c.coveredAt < 0) {
      EXPECT_TRUE(found.empty());
    } else {
      ASSERT_FALSE(found.empty());
      EXPECT_EQ(found.front(), c.coveredAt);
    }
  }
}

TEST(CoveredCameraRuleTest, SaidOnceForEachCoveringAndNeverWithoutAHold) {
  CoveredCameraRule rule(5000);
  int said = 0;
  auto run = [&](double detail, int seconds, int& t) {
    for (int s = 0; s < seconds; ++s, ++t) said += rule.Sample(std::int64_t{t} * 1000, detail) ? 1 : 0;
  };
  int t = 0;
  run(40, 2, t);
  run(0.5, 30, t);
  EXPECT_EQ(said, 1);
  EXPECT_TRUE(rule.Covered());
  run(40, 2, t);
  EXPECT_FALSE(rule.Covered());
  run(0.5, 30, t);
  EXPECT_EQ(said, 2);

  CoveredCameraRule off(0);
  t = 0;
  for (double detail : {40.0, 0.5, 0.5, 0.5}) EXPECT_FALSE(off.Sample(std::int64_t{t++} * 100000, detail));
}

}  // namespace
}  // namespace miravela
