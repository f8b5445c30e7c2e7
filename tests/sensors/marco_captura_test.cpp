#include <gtest/gtest.h>

#include "sensors/sensors_rig.h"

namespace miravela::test {
namespace {

using Tipo = ElementoRegion::Tipo;

TEST(RegionTransparente, CombinesControlsByExclusiveOr) {
  // A transparent rectangle shape leaves its 1-pixel outline only.
  const QRegion marco = RegionTransparente({{Tipo::Forma, QRect(10, 10, 20, 10), 0, true}});
  EXPECT_TRUE(marco.contains(QPoint(10, 10)));
  EXPECT_TRUE(marco.contains(QPoint(29, 19)));
  EXPECT_FALSE(marco.contains(QPoint(11, 11)));
  EXPECT_FALSE(marco.contains(QPoint(20, 15)));
  EXPECT_EQ(marco.boundingRect(), QRect(10, 10, 20, 10));

  // An opaque shape is whole; a square shape is the centred square of the smaller side.
  EXPECT_EQ(RegionTransparente({{Tipo::Forma, QRect(0, 0, 20, 10), 0, false}}), QRegion(0, 0, 20, 10));
  EXPECT_EQ(RegionTransparente({{Tipo::Forma, QRect(0, 0, 20, 10), 1, false}}), QRegion(5, 0, 10, 10));

  // Overlapping controls cancel where they overlap; zero-width controls and lines add nothing.
  const QRegion xor_ = RegionTransparente({{Tipo::Control, QRect(0, 0, 10, 10), 0, false},
                                           {Tipo::Control, QRect(5, 0, 10, 10), 0, false},
                                           {Tipo::Control, QRect(50, 50, 0, 10), 0, false},
                                           {Tipo::Linea, QRect(60, 60, 5, 5), 0, false}});
  EXPECT_EQ(xor_, QRegion(0, 0, 5, 10).united(QRegion(10, 0, 5, 10)));
}

TEST(MarcoCaptura, OnlyTheBarTheButtonsAndTheOutlineAreWindow) {
  SensorsRig rig;
  MarcoCaptura& m = rig.s->marco;
  m.Dimensionar(324, 244);
  EXPECT_EQ(m.Interior(), QRect(3, kAltoBarra + 3, 324, 244));
  EXPECT_EQ(QSize(m.AnchoPx(), m.AltoPx()), QSize(330, kAltoBarra + 250));
  EXPECT_EQ(m.Width(), 330 * 15);
  EXPECT_TRUE(m.Region.contains(QPoint(5, 5)));                   // drag bar
  EXPECT_TRUE(m.Region.contains(QPoint(329, 5)));                 // "-" button
  EXPECT_TRUE(m.Region.contains(QPoint(2, kAltoBarra + 2)));      // outline
  EXPECT_TRUE(m.Region.contains(QPoint(327, kAltoBarra + 247)));  // outline
  EXPECT_FALSE(m.Region.contains(QPoint(3, kAltoBarra + 3)));     // the hole
  EXPECT_FALSE(m.Region.contains(QPoint(160, 140)));
  EXPECT_FALSE(m.Region.contains(QPoint(0, kAltoBarra + 1)));  // outside the outline
  EXPECT_EQ(m.Region.intersected(QRegion(m.Interior())), QRegion());
}

struct ZoomTest : ::testing::Test {
  void SetUp() override {
    rig.s->panel.Mover(kResolucion, 1);  // 324 x 244, base width 4860 twips
    rig.clock.Advance(500);
  }
  QSize Tamano() const { return {rig.picture4.WidthPixels(), rig.picture4.HeightPixels()}; }
  SensorsRig rig;
};

TEST_F(ZoomTest, PlusZoomsInOneStepKeepingTheAspect) {
  MarcoCaptura& m = rig.s->marco;
  ASSERT_EQ(m.CmdZoom[0].Caption, "+1");
  m.CmdZoom_Click(0);
  EXPECT_TRUE(rig.tmrSleep.Enabled());
  // One step is the outline's height (246) in twips of the frame buffer.
  EXPECT_EQ(Tamano(), QSize(302, 228));
  EXPECT_EQ(m.CmdZoom[0].Caption, "+2");
  m.CmdZoom_Click(1);
  EXPECT_EQ(m.CmdZoom[0].Caption, "+1");
  EXPECT_NEAR(Tamano().width(), 324, 1);
}

TEST_F(ZoomTest, TheEndsOfTheScaleChangeNothingButStillPauseTheAlarm) {
  MarcoCaptura& m = rig.s->marco;
  m.CmdZoom_Click(1);  // "-" at level 1
  EXPECT_EQ(Tamano(), QSize(324, 244));
  EXPECT_EQ(m.CmdZoom[0].Caption, "+1");
  EXPECT_TRUE(rig.tmrSleep.Enabled());
  for (int i = 0; i < 20 && m.CmdZoom[0].Caption != "+10"; ++i) m.CmdZoom_Click(0);
  ASSERT_EQ(m.CmdZoom[0].Caption, "+10");
  const QSize maximo = Tamano();
  rig.tmrSleep.SetEnabled(false);
  m.CmdZoom_Click(0);
  EXPECT_EQ(Tamano(), maximo);
  EXPECT_TRUE(rig.tmrSleep.Enabled());
}

TEST(MarcoCaptura, EachStepInRaisesTheLevelAtEveryResolution) {
  for (int resolucion = 1; resolucion <= 4; ++resolucion) {
    SensorsRig rig;
    rig.s->panel.Mover(kResolucion, resolucion == 2 ? 1 : 2);
    rig.s->panel.Mover(kResolucion, resolucion);
    rig.clock.Advance(500);
    ASSERT_EQ(rig.s->marco.CmdZoom[0].Caption, "+1") << resolucion;
    for (int nivel = 2; nivel <= 10; ++nivel) {
      rig.s->marco.CmdZoom_Click(0);
      EXPECT_EQ(rig.s->marco.CmdZoom[0].Caption, "+" + QString::number(nivel)) << resolucion;
    }
    for (int nivel = 9; nivel >= 1; --nivel) {
      rig.s->marco.CmdZoom_Click(1);
      EXPECT_EQ(rig.s->marco.CmdZoom[0].Caption, "+" + QString::number(nivel)) << resolucion;
    }
  }
}

}  // namespace
}  // namespace miravela::test
