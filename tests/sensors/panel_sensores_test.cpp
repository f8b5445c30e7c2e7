#include <gtest/gtest.h>

#include "sensors/sensors_rig.h"

namespace miravela::test {
namespace {

TEST(PanelSensores, DesignStateShowsTheDesignTexts) {
  SensorsRig rig;
  const PanelSensores& p = rig.s->panel;
  EXPECT_EQ(p.FraSensor.Caption, "SENSORES     ");
  const std::array<int, 7> valores = {45, 35, 500, 2, 30, 1, 30};
  for (int i = 0; i < 7; ++i) EXPECT_EQ(p.Valor(i), valores[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(p.LblSensor[1].Caption, "95%");
  EXPECT_EQ(p.LblSensor[3].Caption, "85%");
  EXPECT_EQ(p.LblSensor[5].Caption, "0,5 seg");
  EXPECT_EQ(p.LblSensor[9].Caption, "640");
  EXPECT_EQ(p.LblSensor[12].Caption, "80%");
  EXPECT_EQ(p.LblSensor[13].Caption, "1x");
  EXPECT_EQ(p.LblSensor[8].Tag, "16761024");
  EXPECT_EQ(rig.s->CmdNoche.Caption, "NOCHE +3");
  EXPECT_FALSE(p.HsbSensor[kResolucion].Visible);
}

struct CasoFrecuencia {
  int arrastre, valor, intervalo;
  const char* etiqueta;
};

TEST(PanelSensores, FrecuenciaCutsToHundredsAndSetsTheFrameInterval) {
  const CasoFrecuencia casos[] = {
      {1234, 1200, 1200, "1,2 seg"}, {500, 500, 500, "0,5 seg"},     {5000, 5000, 5000, "5,0 seg"},
      {0, 0, 300, "VARIABLE"},       {-500, -500, 100, "SIN FOTOS"}, {99, 0, 300, "VARIABLE"},
      {-450, -400, 300, "-0,4 seg"}, {2999, 2900, 2900, "2,9 seg"},
  };
  for (const auto& c : casos) {
    SensorsRig rig;
    rig.s->panel.Mover(kFrecuencia, 0);  // a known interval before the case
    rig.s->panel.Mover(kFrecuencia, c.arrastre);
    EXPECT_EQ(rig.s->panel.Valor(kFrecuencia), c.valor) << c.arrastre;
    EXPECT_EQ(rig.tmrReloj.Interval(), c.intervalo) << c.arrastre;
    EXPECT_EQ(rig.s->panel.LblSensor[5].Caption, QString::fromUtf8(c.etiqueta)) << c.arrastre;
  }
}

TEST(PanelSensores, FrecuenciaLabelFollowsTheDecimalSeparatorOfTheLocale) {
  EXPECT_EQ(FrecuenciaDeValor(1200, QLocale::c()).etiqueta, "1.2 seg");
  EXPECT_EQ(FrecuenciaDeValor(1200, QLocale(QLocale::Spanish, QLocale::Spain)).etiqueta, "1,2 seg");
}

struct CasoDensidad {
  int arrastre, valor;
  const char* etiqueta;
  int paso;
  float salto;
  int tolerancia, primera, columnas, filas;
};

TEST(PanelSensores, DensidadSetsTheSamplingParameters) {
  const CasoDensidad casos[] = {
      {37, 30, "80%", 3, 3.0f, 20, 2, 106, 80},  {0, 0, "50%", 6, 6.0f, 35, 2, 53, 40},
      {19, 10, "60%", 5, 5.0f, 30, 2, 64, 48},   {20, 20, "70%", 4, 4.0f, 25, 2, 80, 60},
      {49, 40, "90%", 2, 2.0f, 15, 1, 160, 120}, {50, 50, "100%", 1, 1.5f, 10, 1, 320, 240},
  };
  for (const auto& c : casos) {
    SensorsRig rig;
    rig.parametros.ZoomExtra = 15000;
    rig.s->panel.Mover(kDensidad, c.arrastre);
    const ParametrosDeteccion& p = rig.parametros;
    EXPECT_EQ(rig.s->panel.Valor(kDensidad), c.valor) << c.arrastre;
    EXPECT_EQ(rig.s->panel.LblSensor[12].Caption, c.etiqueta) << c.arrastre;
    EXPECT_EQ(p.PasoMuestra, c.paso) << c.arrastre;
    EXPECT_EQ(p.SaltoMuestra, c.salto) << c.arrastre;
    EXPECT_EQ(p.ToleranciaColor, c.tolerancia) << c.arrastre;
    EXPECT_EQ(p.PrimeraColumna, c.primera) << c.arrastre;
    EXPECT_EQ(p.ColumnasMuestra, c.columnas) << c.arrastre;
    EXPECT_EQ(p.FilasMuestra, c.filas) << c.arrastre;
    EXPECT_EQ(p.ZoomExtra, 15000) << "density never touches the zoom";
  }
}

TEST(PanelSensores, MovimientoAndColorShowTheirThresholdAsPercent) {
  SensorsRig rig;
  const ParametrosDeteccion antes = rig.parametros;
  rig.s->panel.Mover(kMovimiento, 0);
  rig.s->panel.Mover(kColor, 50);
  EXPECT_EQ(rig.s->panel.LblSensor[1].Caption, "50%");
  EXPECT_EQ(rig.s->panel.LblSensor[3].Caption, "100%");
  EXPECT_EQ(rig.parametros.PasoMuestra, antes.PasoMuestra);
  EXPECT_EQ(rig.tmrReloj.Interval(), 500);
}

struct CasoResolucion {
  int valor, ancho, alto;
  const char* etiqueta;
};

TEST(PanelSensores, ResolucionSizesTheFrameBuffer) {
  const CasoResolucion casos[] = {
      {1, 324, 244, "320"}, {2, 644, 484, "640"}, {3, 1284, 724, "720"}, {4, 1924, 1084, "1080"}};
  for (const auto& c : casos) {
    SensorsRig rig;
    rig.picture4.SetSizePixels(10, 10);
    rig.s->panel.Mover(kResolucion, c.valor);
    EXPECT_EQ(rig.s->panel.AnchoEscaner, c.ancho);
    EXPECT_EQ(rig.s->panel.AltoEscaner, c.alto);
    EXPECT_EQ(rig.s->panel.LblSensor[9].Caption, c.etiqueta);
    EXPECT_EQ(rig.picture4.WidthPixels(), c.ancho);
    EXPECT_EQ(rig.picture4.HeightPixels(), c.alto);
    EXPECT_EQ(rig.lblAyuda.Caption, QString::fromUtf8("Cambiar Resolución Escaner"));
    EXPECT_EQ(rig.lblAyuda.ForeColor, 255u);
    // The frame window follows: its hole is the capture size, its zoom base the new width.
    EXPECT_EQ(rig.s->marco.Interior().size(), QSize(c.ancho, c.alto));
    EXPECT_EQ(rig.s->marco.CmdZoom[1].Tag, QString::number(c.ancho * 15));
  }
}

TEST(PanelSensores, ZoomSetsTheExtraTwips) {
  for (int nivel = 1; nivel <= 5; ++nivel) {
    SensorsRig rig;
    rig.s->panel.Mover(kZoom, 5);
    rig.s->panel.Mover(kZoom, nivel);
    EXPECT_EQ(rig.parametros.ZoomExtra, (nivel - 1) * 5000);
    EXPECT_EQ(rig.s->panel.LblSensor[13].Caption, QString::number(nivel) + "x");
    EXPECT_EQ(rig.lblAyuda.Caption, "Ajustar Zoom Digital");
  }
}

TEST(PanelSensores, NightLevelWritesCaptionAndDivisor) {
  struct Caso {
    int nivel;
    const char* caption;
    int divisor;
  };
  for (const Caso& c : {Caso{25, "NOCHE +2", 35}, Caso{50, "NOCHE +5", 10}, Caso{10, "NOCHE +1", 50}}) {
    SensorsRig rig;
    rig.s->panel.Mover(kNivelNoche, c.nivel);
    EXPECT_EQ(rig.s->CmdNoche.Caption, c.caption);
    EXPECT_EQ(rig.s->panel.DivisorNoche, c.divisor);
    EXPECT_EQ(rig.lblAyuda.Caption, QString::fromUtf8("Ajustar Visión Nocturna"));
  }
}

TEST(PanelSensores, ValuesFromCodeRunTheHandlerOnlyWhenTheyChangeAndFitTheRange) {
  SensorsRig rig;
  PanelSensores& p = rig.s->panel;
  EXPECT_FALSE(p.FijarValor(kMovimiento, 51));
  EXPECT_FALSE(p.FijarValor(kFrecuencia, -501));
  EXPECT_FALSE(p.FijarValor(7, 1));
  EXPECT_EQ(p.Valor(kMovimiento), 45);
  rig.lblAyuda.Caption = "x";
  EXPECT_TRUE(p.FijarValor(kZoom, 1));  // unchanged: no handler
  EXPECT_EQ(rig.lblAyuda.Caption, "x");
  EXPECT_TRUE(p.FijarValor(kMovimiento, 10));
  EXPECT_EQ(p.LblSensor[1].Caption, "60%");
  p.HsbSensor_Change(7);  // no such slider: nothing happens
  p.HsbSensor_Scroll(-1);
  EXPECT_EQ(p.LblSensor[1].Caption, "60%");
}

TEST(PanelSensores, PointerOverTheFrameHidesTheButtonHints) {
  SensorsRig rig;
  rig.s->panel.FraSensor_MouseMove();
  EXPECT_EQ(rig.escondidos, 1);
}

}  // namespace
}  // namespace miravela::test
