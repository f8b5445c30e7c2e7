#include "detect/seguimiento_objeto.h"

#include <gtest/gtest.h>

#include "detect/detect_rig.h"

namespace miravela {
namespace {

using test::DetectRig;

constexpr Color kFondo = Rgb(30, 30, 30);
constexpr Color kObjeto = Rgb(200, 40, 40);

// Puts the preview's picture together by hand: grey, with the given tracking grid
// points (column i, row j: pixel 1 + 4i, 1 + 4j) in `color`.
void Preview(DetectRig& rig, std::initializer_list<std::pair<int, int>> points, Color color = kObjeto) {
  QImage image(324, 244, QImage::Format_RGB32);
  image.fill(ToQRgb(kFondo));
  for (auto [i, j] : points) image.setPixel(1 + 4 * i, 1 + 4 * j, ToQRgb(color));
  rig.pictures.Picture1.SetPicture(image);
}

TEST(SeguimientoObjeto, ShareOfTheGrid) {
  struct Case {
    int puntos;
    float share;
  } cases[] = {{0, 0.0f}, {2, 0.04f}, {3, 0.06f}, {6, 0.13f}, {25, 0.52f}, {4800, 100.0f}};
  for (const Case& c : cases) EXPECT_EQ(PorcentajeDePuntos(c.puntos), c.share) << c.puntos;
}

TEST(SeguimientoObjeto, TwoPointsAreNotEnough) {
  DetectRig rig;
  rig.seguimiento->ActivarSeguimiento();
  rig.seguimiento->FijarColorObjeto(kObjeto);
  Preview(rig, {{10, 10}, {20, 10}});
  EXPECT_EQ(rig.seguimiento->SeguirObjeto(10), 0.04f);
  EXPECT_EQ(rig.pictures.Picture1.Point(15 + 600, 15 + 600), 0x00FF00);  // the match is marked
  EXPECT_EQ(rig.pictures.Picture1.Point(0, 615), kFondo);                // no cross-hair
  EXPECT_EQ(rig.pictures.Picture1.DrawWidth, 3);
}

TEST(SeguimientoObjeto, ThreePointsDrawCrossHairAndBox) {
  DetectRig rig;
  rig.seguimiento->ActivarSeguimiento();
  rig.seguimiento->FijarColorObjeto(kObjeto);
  Preview(rig, {{10, 10}, {20, 10}, {20, 30}});  // pixels x 41..81, y 41..121
  EXPECT_EQ(rig.seguimiento->SeguirObjeto(10), 0.06f);
  const PictureBox& p = rig.pictures.Picture1;
  // Centre: x 615 + (1215 - 615) \ 2 = 915 twips (pixel 61), y 615 + 1200 \ 2 = 1215 (pixel 81).
  EXPECT_EQ(p.Point(0, 1215), 0x00FF00);
  EXPECT_EQ(p.Point(323 * 15, 1215), 0x00FF00);
  EXPECT_EQ(p.Point(915, 0), 0x00FF00);
  EXPECT_EQ(p.Point(915, 243 * 15), 0x00FF00);
  EXPECT_EQ(p.Point(1215, 1500), 0x0000FF);  // right side of the box
  EXPECT_EQ(p.Point(750, 1815), 0x0000FF);   // bottom side
  EXPECT_EQ(p.Point(750, 900), kFondo);      // inside the box
}

TEST(SeguimientoObjeto, ToleranceIsPerChannel) {
  DetectRig rig;
  rig.seguimiento->ActivarSeguimiento();
  rig.seguimiento->FijarColorObjeto(Rgb(100, 100, 100));
  struct Case {
    Color color;
    bool match;
  } cases[] = {
      {Rgb(110, 90, 110), true}, {Rgb(111, 100, 100), false}, {Rgb(100, 89, 100), false}, {Rgb(100, 100, 111), false}};
  for (const Case& c : cases) {
    Preview(rig, {{1, 1}, {2, 2}, {3, 3}}, c.color);
    EXPECT_EQ(rig.seguimiento->SeguirObjeto(10) > 0, c.match) << std::hex << c.color;
  }
}

TEST(SeguimientoObjeto, ZoneLimitsTheScanButNotTheDivisor) {
  DetectRig rig;
  rig.zona->ActivarZona();
  rig.zona->LblCelda_Click(1);  // bands x 80..365, y 50..335: grid columns 2..5, rows 1..5
  rig.seguimiento->ActivarSeguimiento();
  rig.seguimiento->FijarColorObjeto(kObjeto);
  QImage image(324, 244, QImage::Format_RGB32);
  image.fill(ToQRgb(kObjeto));
  rig.pictures.Picture1.SetPicture(image);
  EXPECT_EQ(rig.seguimiento->SeguirObjeto(10), PorcentajeDePuntos(4 * 5));
}

TEST(SeguimientoObjeto, PickingAColourOnThePreview) {
  DetectRig rig;
  Preview(rig, {{5, 5}}, Rgb(255, 255, 0));
  rig.seguimiento->Picture1_MouseDown(1, 0, 15 + 300, 15 + 300);  // tracking off: ignored
  EXPECT_EQ(rig.seguimiento->RojoObjeto, 0);
  rig.seguimiento->ActivarSeguimiento();
  rig.seguimiento->Picture1_MouseDown(1, 0, 15 + 300, 15 + 300);
  EXPECT_EQ(rig.seguimiento->RojoObjeto, 255);
  EXPECT_EQ(rig.seguimiento->VerdeObjeto, 255);
  EXPECT_EQ(rig.seguimiento->AzulObjeto, 0);
  EXPECT_EQ(rig.muestra.BackColor, 0x00FFFFu);
  EXPECT_EQ(rig.muestra.Tag, "65535");
  rig.seguimiento->Picture1_MouseDown(1, 0, 99999, 15);  // outside: nothing to pick
  EXPECT_EQ(rig.muestra.Tag, "65535");
}

TEST(SeguimientoObjeto, SwitchingOnAndOff) {
  DetectRig rig;
  rig.autoajuste.activo = true;
  rig.seguimiento->AlternarSeguimiento();
  EXPECT_EQ(rig.autoajuste.detenciones, 1);
  EXPECT_EQ(rig.boton15.Appearance, 1);
  EXPECT_EQ(rig.boton15.BackColor, 0xC0FFC0u);
  for (const Control& c : rig.etiquetasSensor) EXPECT_FALSE(c.Enabled);
  EXPECT_FALSE(rig.slidersEnabled);
  EXPECT_EQ(rig.muestra.Appearance, 1);
  EXPECT_EQ(rig.muestra.BackColor, 16761024u);  // the colour kept in the tag
  EXPECT_EQ(rig.seguimiento->AzulObjeto, 255);
  EXPECT_EQ(rig.pictures.Picture1.MousePointer, 99);
  EXPECT_EQ(rig.seguimiento->AnchoBarrido, 4800);
  EXPECT_EQ(rig.seguimiento->AltoBarrido, 3600);

  rig.seguimiento->FijarColorObjeto(Rgb(1, 2, 3));
  rig.seguimiento->AlternarSeguimiento();
  EXPECT_EQ(rig.boton15.Appearance, 0);
  for (const Control& c : rig.etiquetasSensor) EXPECT_TRUE(c.Enabled);
  EXPECT_TRUE(rig.slidersEnabled);
  EXPECT_EQ(rig.muestra.Appearance, 0);
  EXPECT_EQ(rig.muestra.BackColor, 0xFFC0C0u);
  EXPECT_EQ(rig.muestra.Tag, QString::number(Rgb(1, 2, 3)));
  EXPECT_EQ(rig.pictures.Picture1.MousePointer, 0);
}

TEST(SeguimientoObjeto, ReverseAlarmSwitch) {
  DetectRig rig;
  EXPECT_FALSE(rig.seguimiento->AlarmaInversa());
  rig.seguimiento->ImgReverse_Click();
  EXPECT_TRUE(rig.seguimiento->LblReverse.Visible);
  Control ayuda;
  rig.seguimiento->ImgReverse_MouseMove(ayuda);
  EXPECT_EQ(ayuda.Caption, "Invertir Alarma de Seguimiento");
  EXPECT_EQ(ayuda.ForeColor, 255u);
  rig.seguimiento->ImgReverse_Click();
  EXPECT_FALSE(rig.seguimiento->AlarmaInversa());
}

}  // namespace
}  // namespace miravela
