#include "detect/comparacion.h"

#include <gtest/gtest.h>

namespace miravela {
namespace {

TEST(ParametrosDeteccion, DefaultsAreDensidad30) {
  const ParametrosDeteccion d;
  const ParametrosDeteccion p = ParametrosDensidad(30, ParametrosDeteccion{});
  EXPECT_EQ(d.PasoMuestra, p.PasoMuestra);
  EXPECT_EQ(d.SaltoMuestra, p.SaltoMuestra);
  EXPECT_EQ(d.ToleranciaColor, p.ToleranciaColor);
  EXPECT_EQ(d.PrimeraColumna, p.PrimeraColumna);
  EXPECT_EQ(d.ColumnasMuestra, p.ColumnasMuestra);
  EXPECT_EQ(d.FilasMuestra, p.FilasMuestra);
  EXPECT_EQ(d.ZoomExtra, 0);
}

// The grid of every Densidad value over the 320 x 240-pixel preview.
TEST(RejillaMuestra, EveryDensidad) {
  struct Case {
    int densidad, paso;
    float salto;
    int tolerancia, primera, columnas, filas;
    int x0, x1, xLast, nx, y0, y1, yLast, ny;
  } cases[] = {
      {0, 6, 6.0f, 35, 2, 53, 40, 12, 48, 300, 9, 6, 42, 222, 7},
      {10, 5, 5.0f, 30, 2, 64, 48, 10, 35, 310, 13, 5, 30, 230, 10},
      {20, 4, 4.0f, 25, 2, 80, 60, 8, 24, 312, 20, 4, 20, 228, 15},
      {30, 3, 3.0f, 20, 2, 106, 80, 6, 15, 312, 35, 3, 12, 237, 27},
      {40, 2, 2.0f, 15, 1, 160, 120, 2, 6, 318, 80, 2, 6, 238, 60},
      {50, 1, 1.5f, 10, 1, 320, 240, 1, 3, 319, 160, 1, 3, 239, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.densidad);
    const ParametrosDeteccion p = ParametrosDensidad(c.densidad, ParametrosDeteccion{});
    EXPECT_EQ(p.PasoMuestra, c.paso);
    EXPECT_EQ(p.SaltoMuestra, c.salto);
    EXPECT_EQ(p.ToleranciaColor, c.tolerancia);
    EXPECT_EQ(p.PrimeraColumna, c.primera);
    EXPECT_EQ(p.ColumnasMuestra, c.columnas);
    EXPECT_EQ(p.FilasMuestra, c.filas);
    const auto grid = RejillaMuestra(p, 15, 15);
    ASSERT_EQ(static_cast<int>(grid.size()), c.nx * c.ny);
    EXPECT_EQ(grid[0].x, c.x0 * 15);
    EXPECT_EQ(grid[0].y, c.y0 * 15);
    EXPECT_EQ(grid[1].y, c.y1 * 15);                               // rows run inside
    EXPECT_EQ(grid[static_cast<std::size_t>(c.ny)].x, c.x1 * 15);  // then the next column
    EXPECT_EQ(grid[static_cast<std::size_t>(c.ny - 1)].y, c.yLast * 15);
    EXPECT_EQ(grid.back().x, c.xLast * 15);
  }
}

TEST(RejillaMuestra, OtherValuesKeepTheStepAndRederiveTheRest) {
  const ParametrosDeteccion p = ParametrosDensidad(37, ParametrosDensidad(50, {}));
  EXPECT_EQ(p.PasoMuestra, 1);
  EXPECT_EQ(p.ColumnasMuestra, 320);
}

TEST(CompararColor, ThresholdFromTheColorSensor) {
  struct Case {
    int sensor;
    Color a, b;
    bool changed;
  } cases[] = {
      {50, Rgb(100, 100, 100), Rgb(103, 103, 103), true},   // d = 5.2 > 5
      {50, Rgb(100, 100, 100), Rgb(105, 100, 100), false},  // d = 5, equal is unchanged
      {0, Rgb(0, 0, 0), Rgb(255, 0, 0), false},             // d = 255
      {0, Rgb(0, 0, 0), Rgb(255, 255, 255), true},          // d = 441.7
      {35, Rgb(10, 20, 30), Rgb(10, 20, 30), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CompararColor(c.a, c.b, UmbralColor(c.sensor)), c.changed) << c.sensor;
    EXPECT_EQ(CompararColor(c.b, c.a, UmbralColor(c.sensor)), c.changed) << c.sensor;
  }
  EXPECT_EQ(UmbralColor(0), 255);
  EXPECT_EQ(UmbralColor(50), 5);
}

TEST(CompararColor, NoColourSplitsWithItsSign) {
  const Canales c = SepararColor(kSinColor);
  EXPECT_EQ(c.rojo, -1);
  EXPECT_EQ(c.verde, 0);
  EXPECT_EQ(c.azul, 0);
  // Against black the missing colour is 1 away: no change even at the finest threshold.
  EXPECT_FALSE(CompararColor(kSinColor, 0, UmbralColor(50)));
  EXPECT_TRUE(CompararColor(kSinColor, 0xFFFFFF, UmbralColor(50)));
}

TEST(Similitud, HalvesToEven) {
  struct Case {
    int cambiados, comparados, similitud;
  } cases[] = {{10, 130, 92}, {0, 945, 100}, {945, 945, 0}, {1, 8, 88},  // 12.5 -> 12
               {3, 8, 62},                                               // 37.5 -> 38
               {1, 40, 98},                                              // 2.5 -> 2
               {0, 0, 100}};
  for (const Case& c : cases) EXPECT_EQ(Similitud(c.cambiados, c.comparados), c.similitud);
}

// Two pictures that differ in one square: only the grid points inside it change,
// the marks land on the preview and never on its persistent picture.
TEST(CompararImagenes, CountsAndMarksChangedPoints) {
  PictureBox preview(15, 15, 324, 244), reference(15, 15, 324, 244);
  QImage frame(324, 244, QImage::Format_RGB32);
  frame.fill(qRgb(40, 40, 40));
  reference.SetPicture(frame);
  for (int y = 100; y < 130; ++y)
    for (int x = 200; x < 230; ++x) frame.setPixel(x, y, qRgb(250, 250, 250));
  preview.SetPicture(frame);
  preview.CommitImage();

  const ParametrosDeteccion p = ParametrosDensidad(0, {});  // x 12, 48 ...; y 6, 42 ...
  const ResultadoComparacion r = CompararImagenes(preview, reference, p, UmbralColor(35), nullptr);
  EXPECT_EQ(r.PuntosComparados, 63);
  EXPECT_EQ(r.PuntosCambiados, 1);  // x 228, y 114
  EXPECT_EQ(r.Similitud, Similitud(1, 63));
  EXPECT_FALSE(r.SonidoAlarma);
  EXPECT_EQ(preview.Point(228 * 15, 114 * 15), 0xFF);
  EXPECT_EQ(FromQRgb(preview.Picture().pixel(228, 114)), Rgb(250, 250, 250));
}

}  // namespace
}  // namespace miravela
