#include "detect/comparacion.h"

#include <climits>
#include <cmath>

#include "base/numbers.h"
#include "detect/zona_vigilancia.h"

namespace miravela {

Canales SepararColor(std::int64_t c) { return {c % 256, (c / 256) % 256, (c / 65536) % 256}; }

std::uint8_t UmbralColor(int sensorColor) { return static_cast<std::uint8_t>(255 - 5 * sensorColor); }

bool CompararColor(std::int64_t c1, std::int64_t c2, std::uint8_t umbral) {
  const Canales a = SepararColor(c1), b = SepararColor(c2);
  const std::int64_t dr = a.rojo - b.rojo, dg = a.verde - b.verde, db = a.azul - b.azul;
  // sqrt(d2) > T exactly when d2 > T^2, both being whole numbers.
  return dr * dr + dg * dg + db * db > static_cast<std::int64_t>(umbral) * umbral;
}

std::int16_t Similitud(std::int32_t cambiados, std::int32_t comparados) {
  if (comparados <= 0) return 100;
  const std::int64_t share = RoundHalfEven(cambiados * 100.0 / comparados);
  return static_cast<std::int16_t>(share > 100 ? share - 100 : 100 - share);
}

namespace {

// One axis of the grid: the twip positions and the pixel each falls in (-1 outside).
struct Eje {
  std::vector<int> twips;
  std::vector<int> pixel;
};

Eje EjeMuestra(std::int64_t primero, std::int64_t ultimo, std::int64_t salto, int paso, double tpp, int pixeles) {
  Eje eje;
  for (std::int64_t i = primero; salto > 0 && i <= ultimo; i += salto) {
    const int t = static_cast<int>(RoundHalfEven(tpp * static_cast<double>(i) * paso));
    const int px = static_cast<int>(std::floor(t / tpp + 1e-7));
    eje.twips.push_back(t);
    eje.pixel.push_back(px >= 0 && px < pixeles ? px : -1);
  }
  return eje;
}

inline std::int64_t ColorEn(const uchar* bits, qsizetype bpl, int px, int py) {
  if (px < 0 || py < 0) return kSinColor;
  return FromQRgb(reinterpret_cast<const QRgb*>(bits + py * bpl)[px]);
}

// CompararColor for two colours read from pictures, in the form the pass can afford at
// every point; a point outside a picture takes the general path.
inline bool Cambio(std::int64_t c1, std::int64_t c2, std::int32_t umbral2, std::uint8_t umbral) {
  if (c1 < 0 || c2 < 0) return CompararColor(c1, c2, umbral);
  const auto a = static_cast<std::uint32_t>(c1), b = static_cast<std::uint32_t>(c2);
  const std::int32_t dr = static_cast<std::int32_t>(a & 0xFF) - static_cast<std::int32_t>(b & 0xFF);
  const std::int32_t dg = static_cast<std::int32_t>((a >> 8) & 0xFF) - static_cast<std::int32_t>((b >> 8) & 0xFF);
  const std::int32_t db = static_cast<std::int32_t>(a >> 16) - static_cast<std::int32_t>(b >> 16);
  return dr * dr + dg * dg + db * db > umbral2;
}

}  // namespace

std::vector<PuntoMuestra> RejillaMuestra(const ParametrosDeteccion& p, double tppX, double tppY) {
  const std::int64_t salto = RoundHalfEven(p.SaltoMuestra);
  const Eje columnas = EjeMuestra(p.PrimeraColumna, p.ColumnasMuestra, salto, p.PasoMuestra, tppX, INT_MAX);
  const Eje filas = EjeMuestra(1, p.FilasMuestra, salto, p.PasoMuestra, tppY, INT_MAX);
  std::vector<PuntoMuestra> puntos;
  puntos.reserve(columnas.twips.size() * filas.twips.size());
  for (int x : columnas.twips)
    for (int y : filas.twips) puntos.push_back({x, y});
  return puntos;
}

ResultadoComparacion CompararImagenes(PictureBox& preview, const PictureBox& referencia, const ParametrosDeteccion& p,
                                      std::uint8_t umbral, ZonaVigilancia* zona) {
  ResultadoComparacion r;
  // The pass reads the preview as it was fitted. Marks drawn on the way are never read
  // back: they are at most 3 pixels wide and sample points lie at least 2 pixels apart.
  const QImage ahora = preview.Image();
  const QImage antes = referencia.Image();
  const std::int64_t salto = RoundHalfEven(p.SaltoMuestra);
  const double tppX = preview.TwipsPerPixelX(), tppY = preview.TwipsPerPixelY();
  const Eje columnas = EjeMuestra(p.PrimeraColumna, p.ColumnasMuestra, salto, p.PasoMuestra, tppX, ahora.width());
  const Eje filas = EjeMuestra(1, p.FilasMuestra, salto, p.PasoMuestra, tppY, ahora.height());
  const Eje columnasRef =
      EjeMuestra(p.PrimeraColumna, p.ColumnasMuestra, salto, p.PasoMuestra, referencia.TwipsPerPixelX(), antes.width());
  const Eje filasRef = EjeMuestra(1, p.FilasMuestra, salto, p.PasoMuestra, referencia.TwipsPerPixelY(), antes.height());
  std::vector<int> bandasFila(filas.twips.size());
  for (std::size_t j = 0; j < filas.twips.size(); ++j) bandasFila[j] = FilaZona(filas.twips[j]);

  const uchar* bitsAhora = ahora.constBits();
  const uchar* bitsAntes = antes.constBits();
  const qsizetype bplAhora = ahora.bytesPerLine(), bplAntes = antes.bytesPerLine();
  const std::int32_t umbral2 = static_cast<std::int32_t>(umbral) * umbral;
  std::vector<int> bandasColumna(columnas.twips.size());
  for (std::size_t i = 0; i < columnas.twips.size(); ++i) bandasColumna[i] = ColumnaZona(columnas.twips[i]);

  // The grid is walked row by row, which reads the pictures in memory order; the scan
  // order (columns outside, rows inside) decides only which changed point is the last,
  // and that is kept as the greatest (column, row) pair.
  struct Ultimo {
    std::size_t i = 0, j = 0;
    bool hay = false;
    void Tomar(std::size_t ci, std::size_t fj) {
      if (!hay || ci > i || (ci == i && fj > j)) *this = {ci, fj, true};
    }
  } ultimoEnZona, ultimoCambio;
  for (std::size_t j = 0; j < filas.twips.size(); ++j) {
    for (std::size_t i = 0; i < columnas.twips.size(); ++i) {
      if (zona) {
        if (!zona->CeldaDeBandasEnZona(bandasColumna[i], bandasFila[j])) continue;
        ultimoEnZona.Tomar(i, j);
      }
      const std::int64_t c1 = ColorEn(bitsAhora, bplAhora, columnas.pixel[i], filas.pixel[j]);
      const std::int64_t c2 = ColorEn(bitsAntes, bplAntes, columnasRef.pixel[i], filasRef.pixel[j]);
      if (Cambio(c1, c2, umbral2, umbral)) {
        preview.Circle(columnas.twips[i], filas.twips[j], 1, kColorMarca);
        ultimoCambio.Tomar(i, j);
        ++r.PuntosCambiados;
      }
      ++r.PuntosComparados;
    }
  }
  if (zona && ultimoCambio.hay) {
    zona->PuntoEnBandas(bandasColumna[ultimoCambio.i], bandasFila[ultimoCambio.j]);
    r.SonidoAlarma = QuitarBlancos(zona->AlarmaCelda(zona->CeldaActual()));
  }
  if (zona && ultimoEnZona.hay) zona->PuntoEnBandas(bandasColumna[ultimoEnZona.i], bandasFila[ultimoEnZona.j]);
  const bool conFigura = zona ? (zona->CeldasZona() > 0 && r.PuntosComparados >= 1) : r.PuntosComparados > 0;
  if (conFigura) r.Similitud = Similitud(r.PuntosCambiados, r.PuntosComparados);
  return r;
}

}  // namespace miravela
