#include "detect/luz.h"

#include <gtest/gtest.h>

#include "base/configuracion.h"
#include "base/picture_box.h"
#include "detect/comparacion.h"

namespace miravela {
namespace {

TEST(RechazoLuz, ReadFromTheOptionalPair) {
  struct Case {
    const char* valor;  // nullptr: no pair
    int rechazo;
  } cases[] = {{nullptr, kRechazoLuzPredeterminado},
               {"0", 0},
               {"70", 70},
               {" 100 ", 100},
               {"101", kRechazoLuzPredeterminado},
               {"-5", kRechazoLuzPredeterminado},
               {"mucha", kRechazoLuzPredeterminado},
               {"", kRechazoLuzPredeterminado}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.valor ? c.valor : "(none)");
    ParesOpcionales pares;
    pares.Fijar(QStringLiteral("OTRA"), QStringLiteral("0"));
    if (c.valor) pares.Fijar(kClaveLuz, QString::fromLatin1(c.valor).trimmed());
    EXPECT_EQ(LeerRechazoLuz(pares), c.rechazo);
  }
  // Straight from a file's text, as start-up reads it.
  QByteArray ini;
  for (int i = 0; i < 8; ++i) ini += "[X]\r\n\r\n";
  EXPECT_EQ(LeerRechazoLuz(LeerValoresIni(ini + "[LUZ]\r\n0\r\n", {}).Opcionales), 0);
  EXPECT_EQ(LeerRechazoLuz(LeerValoresIni(ini, {}).Opcionales), kRechazoLuzPredeterminado);
}

TEST(RechazoLuz, GlobalChangeIsMoreThanTheShare) {
  struct Case {
    int cambiados, comparados, rechazo;
    bool global;
  } cases[] = {{55, 100, 55, false}, {56, 100, 55, true},    {945, 945, 0, false}, {0, 0, 55, false},
               {1, 1, 55, true},     {945, 945, 100, false}, {520, 945, 55, true}, {519, 945, 55, false}};
  for (const Case& c : cases)
    EXPECT_EQ(CambioGlobal(c.cambiados, c.comparados, static_cast<std::uint8_t>(c.rechazo)), c.global)
        << c.cambiados << "/" << c.comparados << " at " << c.rechazo << "%";
}

TEST(GananciaLuz, MedianOfTheUsefulPoints) {
  std::vector<ParMuestra> pares;
  // Sixty points lit half as much again, forty covered by something dark.
  for (int k = 0; k < 60; ++k) {
    const int v = 40 + k * 2;
    pares.push_back({Rgb(v * 3 / 2, v * 3 / 2, v * 3 / 2), Rgb(v, v, v)});
  }
  for (int k = 0; k < 40; ++k) pares.push_back({Rgb(30, 30, 30), Rgb(120, 120, 120)});
  EXPECT_NEAR(GananciaLuz(pares), 1.5, 0.02);

  // Points that tell nothing of the light do not vote, however many they are.
  std::vector<ParMuestra> mudos = {
      {Rgb(255, 255, 255), Rgb(200, 200, 200)},  // saturated now
      {Rgb(100, 100, 100), Rgb(251, 10, 10)},    // saturated before
      {Rgb(5, 5, 5), Rgb(15, 15, 15)},           // near black
      {kSinColor, Rgb(90, 90, 90)},              // outside the picture
  };
  EXPECT_EQ(GananciaLuz(mudos), 1.0);
  for (int k = 0; k < 3; ++k) mudos.push_back({Rgb(70, 80, 90), Rgb(100, 100, 100)});
  EXPECT_NEAR(GananciaLuz(mudos), 0.8, 1.0 / 256);
  EXPECT_EQ(GananciaLuz({}), 1.0);
}

TEST(ComparadorNormalizado, SaturationOnlyHidesWhatItCanHide) {
  struct Case {
    const char* name;
    double ganancia;
    Color ahora, antes;
    Veredicto veredicto;
  } cases[] = {
      {"lamp on, evened out", 1.5, Rgb(150, 120, 90), Rgb(100, 80, 60), Veredicto::Igual},
      {"lamp on, clipped the same", 1.5, Rgb(255, 255, 255), Rgb(220, 200, 180), Veredicto::Igual},
      {"a dark figure under the lamp", 1.5, Rgb(40, 40, 50), Rgb(100, 80, 60), Veredicto::Cambio},
      {"lamp off, the window was clipped", 0.6, Rgb(200, 220, 236), Rgb(255, 255, 255), Veredicto::Incierto},
      {"a figure before the clipped window", 0.6, Rgb(40, 40, 50), Rgb(255, 255, 255), Veredicto::Cambio},
      {"clipped now, far brighter than the light explains", 1.0, Rgb(255, 255, 255), Rgb(100, 100, 100),
       Veredicto::Cambio},
      {"lamp off, only red was clipped", 0.6, Rgb(240, 120, 60), Rgb(255, 200, 100), Veredicto::Incierto},
      {"same light, same colour", 1.0, Rgb(10, 20, 30), Rgb(10, 20, 30), Veredicto::Igual},
      {"nothing to compare against", 1.0, Rgb(255, 255, 255), static_cast<Color>(0), Veredicto::Cambio},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ComparadorNormalizado(c.ganancia, UmbralColor(35)).Comparar(c.ahora, c.antes), c.veredicto);
  }
  // A point outside a picture takes the plain colour test.
  EXPECT_EQ(ComparadorNormalizado(2.0, UmbralColor(50)).Comparar(kSinColor, 0), Veredicto::Igual);
  EXPECT_EQ(ComparadorNormalizado(2.0, UmbralColor(50)).Comparar(kSinColor, 0xFFFFFF), Veredicto::Cambio);
}

// A textured picture the size of the preview, under a light that scales every channel
// (clipped as a camera clips), with an optional dark figure standing in it.
QImage Textura(double luz, QRect figura = {}) {
  QImage image(324, 244, QImage::Format_RGB32);
  auto canal = [luz](int v) { return std::min(255, static_cast<int>(v * luz + 0.5)); };
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int base = 40 + (x * 7 + y * 13) % 190;
      QRgb color = qRgb(canal(base), canal(base * 3 / 4 + 20), canal(base / 2 + 30));
      if (figura.contains(x, y)) color = qRgb(canal(30), canal(28), canal(40));
      image.setPixel(x, y, color);
    }
  return image;
}

ResultadoComparacion Comparar(const QImage& antes, const QImage& ahora, int rechazo) {
  PictureBox preview(15, 15, 324, 244), referencia(15, 15, 324, 244);
  referencia.SetPicture(antes);
  preview.SetPicture(ahora);
  ParametrosDeteccion p = ParametrosDensidad(30, {});
  p.RechazoLuz = static_cast<std::uint8_t>(rechazo);
  return CompararImagenes(preview, referencia, p, UmbralColor(35), nullptr);
}

TEST(CompararImagenes, TheLightIsEvenedOutBeforeComparing) {
  const QRect figura(100, 40, 50, 150);
  int enFigura = 0;
  for (const PuntoMuestra& punto : RejillaMuestra(ParametrosDensidad(30, {}), 15, 15))
    enFigura += figura.contains(punto.x / 15, punto.y / 15);
  ASSERT_EQ(enFigura, 80);  // 5 columns of 16 rows
  const ResultadoComparacion soloFigura = Comparar(Textura(1.0), Textura(1.0, figura), kRechazoLuzPredeterminado);
  EXPECT_GT(soloFigura.PuntosCambiados, enFigura * 3 / 4);
  EXPECT_LE(soloFigura.PuntosCambiados, enFigura);
  EXPECT_EQ(soloFigura.PuntosComparados, 945);
  EXPECT_EQ(soloFigura.GananciaLuz, 1.0);

  for (double luz : {0.6, 1.5}) {
    SCOPED_TRACE(luz);
    const ResultadoComparacion lampara = Comparar(Textura(1.0), Textura(luz), kRechazoLuzPredeterminado);
    EXPECT_EQ(lampara.PuntosCambiados, 0);
    EXPECT_NEAR(lampara.GananciaLuz, luz, 0.02);
    // The figure under the new light still changes the points it covers, and only those.
    const ResultadoComparacion ambos = Comparar(Textura(1.0), Textura(luz, figura), kRechazoLuzPredeterminado);
    EXPECT_GT(ambos.PuntosCambiados, enFigura / 2);
    EXPECT_LE(ambos.PuntosCambiados, enFigura);
    EXPECT_NEAR(ambos.GananciaLuz, luz, 0.02);
    // Without light rejection the plain rule sees the lamp everywhere.
    const ResultadoComparacion llano = Comparar(Textura(1.0), Textura(luz), 0);
    EXPECT_GT(llano.PuntosCambiados, 945 / 2);
    EXPECT_EQ(llano.PuntosComparados, 945);
    EXPECT_EQ(llano.GananciaLuz, 1.0);
  }
}

}  // namespace
}  // namespace miravela
