// Clips of a furnished room watched by the real frame loop at the default settings:
// light that changes by itself raises no alarm, a figure walking through always does.
#include "detect/room_clips.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>

#include "detect/detect_rig.h"

namespace miravela {
namespace {

using test::Crossing;
using test::DetectRig;
using test::LightStep;
using test::RoomClip;

struct Tick {
  double second;
  bool photograph;
  int similitud;
};

// A lamp switched on and off five times, 30% to 60% brighter each time.
RoomClip Lamp() {
  RoomClip clip{22, {}, {}};
  const double gains[] = {1.3, 1.45, 1.6, 1.35, 1.5};
  for (int i = 0; i < 5; ++i) {
    clip.light.push_back({2.0 + 4 * i, gains[i]});
    clip.light.push_back({4.0 + 4 * i, 1.0});
  }
  return clip;
}

// The light follows `gain` frame by frame.
template <typename Gain>
RoomClip Gradual(double seconds, Gain gain) {
  RoomClip clip{seconds, {}, {}};
  for (int frame = 0; frame < seconds * test::kClipRate; ++frame) {
    const double t = static_cast<double>(frame) / test::kClipRate;
    clip.light.push_back({t, gain(t)});
  }
  return clip;
}

// A cloud: 40% darker over three seconds, and back.
RoomClip Cloud() {
  return Gradual(8, [](double t) {
    return t < 1 ? 1.0 : t < 4 ? 1.0 - 0.4 * (t - 1) / 3 : std::min(1.0, 0.6 + 0.4 * (t - 4) / 3);
  });
}

// A camera's exposure hunting, 15% either way every two seconds.
RoomClip Hunting() {
  return Gradual(8, [](double t) { return 1.0 + 0.15 * std::sin(2 * M_PI * t / 2); });
}

class RoomClips : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    room_ = dir_->filePath("room.png");
    if (!test::MakeRoom(room_)) room_.clear();
  }
  static void TearDownTestSuite() { delete dir_; }

  // Connects as the camera button does, then ticks once per timer interval to the end of
  // the clip; each tick after the first says whether it handed on a photograph.
  std::vector<Tick> Watch(const RoomClip& clip, const QString& name, int rechazo = kRechazoLuzPredeterminado) {
    // Clips are made once per run; tests that watch the same clip share it.
    const QString path = dir_->filePath(name + ".avi");
    if (!QFile::exists(path)) EXPECT_TRUE(test::MakeClip(room_, clip, path)) << name.toStdString();
    DetectRig rig;
    rig.parametros.RechazoLuz = static_cast<std::uint8_t>(rechazo);
    const int interval = rig.tmrReloj.Interval();
    const int step = test::kClipRate * interval / 1000;
    test::ClipSource source(path, step);
    EXPECT_TRUE(source.Opened());
    FrameLoop loop({rig.pictures, rig.parametros, *rig.zona, *rig.seguimiento, source, rig.escaner, rig.autoajuste,
                    rig.entradas, rig.pantalla, rig.tmrReloj, rig.tmrSleep, rig.tmrGuardar, rig.clock, "1",
                    QLocale::c()});
    rig.tmrSleep.SetEnabled(true);
    loop.TmrReloj_Timer();
    rig.tmrSleep.SetEnabled(false);
    std::vector<Tick> ticks;
    const int frames = static_cast<int>(std::lround(clip.seconds * test::kClipRate));
    for (int k = 1; k * step < frames; ++k) {
      rig.tmrGuardar.SetEnabled(false);
      loop.TmrReloj_Timer();
      ticks.push_back({k * interval / 1000.0, rig.tmrGuardar.Enabled(), static_cast<int>(loop.Resultados().Similitud)});
    }
    EXPECT_FALSE(source.Snap()) << "the clip ends where it was meant to";
    return ticks;
  }

  static QTemporaryDir* dir_;
  static QString room_;
};
QTemporaryDir* RoomClips::dir_ = nullptr;
QString RoomClips::room_;

TEST_F(RoomClips, LightThatChangesByItselfTakesNoPhotograph) {
  ASSERT_FALSE(room_.isEmpty());
  const struct {
    const char* name;
    RoomClip clip;
  } cases[] = {{"lamp", Lamp()}, {"cloud", Cloud()}, {"hunting", Hunting()}, {"still", RoomClip{6, {}, {}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Tick> ticks = Watch(c.clip, c.name);
    EXPECT_GE(ticks.size(), 11u);
    for (const Tick& tick : ticks) EXPECT_FALSE(tick.photograph) << "at " << tick.second << " s, " << tick.similitud;
  }
}

TEST_F(RoomClips, EveryCrossingTakesPhotographsWithTheLampOnOrOff) {
  ASSERT_FALSE(room_.isEmpty());
  const struct {
    const char* name;
    RoomClip clip;
  } cases[] = {
      {"crossings", RoomClip{9, {}, {{1.0, true}, {5.0, false}}}},
      // The lamp goes on before the first crossing, off between them, and on again
      // halfway through the second.
      {"crossings under the lamp", RoomClip{11, {{1.0, 1.5}, {6.0, 1.0}, {8.5, 1.4}}, {{2.0, true}, {7.0, false}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<Tick> ticks = Watch(c.clip, c.name);
    for (const Crossing& crossing : c.clip.crossings) {
      int photographs = 0;
      for (const Tick& tick : ticks)
        if (tick.second > crossing.start && tick.second <= crossing.start + test::kCrossingSeconds + 0.5)
          photographs += tick.photograph;
      EXPECT_GE(photographs, 3) << "crossing at " << crossing.start << " s";
    }
    for (const Tick& tick : ticks) {
      bool crossing = false;
      for (const Crossing& x : c.clip.crossings)
        crossing |= tick.second > x.start && tick.second <= x.start + test::kCrossingSeconds + 0.5;
      if (!crossing) {
        EXPECT_FALSE(tick.photograph) << "an empty room at " << tick.second << " s";
      }
    }
  }
}

// With light rejection off the plain rule holds: a switch that changes more than the
// Movimiento share of the points takes a photograph, as every switch of the lamp by 35%
// or more does at the default Color threshold.
TEST_F(RoomClips, WithoutLightRejectionTheLampTakesPhotographsAgain) {
  ASSERT_FALSE(room_.isEmpty());
  const RoomClip lamp = Lamp();
  const std::vector<Tick> ticks = Watch(lamp, "lamp", 0);
  int photographs = 0;
  for (const Tick& tick : ticks) photographs += tick.photograph;
  double before = 1.0;
  int strongSwitches = 0;
  for (const LightStep& step : lamp.light) {
    const double jump = std::max(step.gain, before) / std::min(step.gain, before);
    before = step.gain;
    if (jump < 1.35) continue;
    ++strongSwitches;
    const auto at = std::find_if(ticks.begin(), ticks.end(), [&](const Tick& t) { return t.second >= step.second; });
    ASSERT_NE(at, ticks.end());
    EXPECT_TRUE(at->photograph) << "switch at " << step.second << " s";
  }
  EXPECT_EQ(strongSwitches, 8);
  EXPECT_GE(photographs, strongSwitches);
}

}  // namespace
}  // namespace miravela
