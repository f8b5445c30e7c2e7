#include "detect/comparacion.h"

#include <climits>
#include <cmath>

#include "base/numbers.h"
#include "detect/luz.h"
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

// The grid is walked row by row, which reads the pictures in memory order; the scan
// order (columns outside, rows inside) decides only which point is the last, and that
// is kept as the greatest (column, row) pair.
struct Ultimo {
  std::size_t i = 0, j = 0;
  bool hay = false;
  void Tomar(std::size_t ci, std::size_t fj) {
    if (!hay || ci > i || (ci == i && fj > j)) *this = {ci, fj, true};
  }
};

// The watched points of the grid with their colours now and in the reference.
struct Muestras {
  Eje columnas, filas;
  std::vector<int> bandasColumna, bandasFila;
  struct Indices {
    std::size_t i, j;
  };
  std::vector<Indices> indices;
  std::vector<ParMuestra> colores;
  Ultimo ultimoEnZona;
};

std::vector<int> Bandas(const std::vector<int>& twips, int (*banda)(double)) {
  std::vector<int> bandas(twips.size());
  for (std::size_t k = 0; k < twips.size(); ++k) bandas[k] = banda(twips[k]);
  return bandas;
}

Muestras LeerMuestras(const QImage& ahora, const PictureBox& preview, const QImage& antes, const PictureBox& referencia,
                      const ParametrosDeteccion& p, const ZonaVigilancia* zona) {
  Muestras m;
  const std::int64_t salto = RoundHalfEven(p.SaltoMuestra);
  m.columnas =
      EjeMuestra(p.PrimeraColumna, p.ColumnasMuestra, salto, p.PasoMuestra, preview.TwipsPerPixelX(), ahora.width());
  m.filas = EjeMuestra(1, p.FilasMuestra, salto, p.PasoMuestra, preview.TwipsPerPixelY(), ahora.height());
  const Eje columnasRef =
      EjeMuestra(p.PrimeraColumna, p.ColumnasMuestra, salto, p.PasoMuestra, referencia.TwipsPerPixelX(), antes.width());
  const Eje filasRef = EjeMuestra(1, p.FilasMuestra, salto, p.PasoMuestra, referencia.TwipsPerPixelY(), antes.height());
  m.bandasColumna = Bandas(m.columnas.twips, ColumnaZona);
  m.bandasFila = Bandas(m.filas.twips, FilaZona);

  const uchar* bitsAhora = ahora.constBits();
  const uchar* bitsAntes = antes.constBits();
  const qsizetype bplAhora = ahora.bytesPerLine(), bplAntes = antes.bytesPerLine();
  m.indices.reserve(m.columnas.twips.size() * m.filas.twips.size());
  m.colores.reserve(m.indices.capacity());
  for (std::size_t j = 0; j < m.filas.twips.size(); ++j) {
    for (std::size_t i = 0; i < m.columnas.twips.size(); ++i) {
      if (zona) {
        if (!zona->CeldaDeBandasEnZona(m.bandasColumna[i], m.bandasFila[j])) continue;
        m.ultimoEnZona.Tomar(i, j);
      }
      m.indices.push_back({i, j});
      m.colores.push_back({ColorEn(bitsAhora, bplAhora, m.columnas.pixel[i], m.filas.pixel[j]),
                           ColorEn(bitsAntes, bplAntes, columnasRef.pixel[i], filasRef.pixel[j])});
    }
  }
  return m;
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
  const Muestras m = LeerMuestras(ahora, preview, antes, referencia, p, zona);
  // The light is judged over the watched points only, so a lamp outside the zone does
  // not move the zone's reference.
  const bool normalizar = p.RechazoLuz > 0;
  if (normalizar) r.GananciaLuz = GananciaLuz(m.colores);
  const ComparadorNormalizado normalizado(r.GananciaLuz, umbral);
  const std::int32_t umbral2 = static_cast<std::int32_t>(umbral) * umbral;
  Ultimo ultimoCambio;
  for (std::size_t k = 0; k < m.indices.size(); ++k) {
    const auto [i, j] = m.indices[k];
    const auto [c1, c2] = m.colores[k];
    const Veredicto v = normalizar ? normalizado.Comparar(c1, c2)
                                   : (Cambio(c1, c2, umbral2, umbral) ? Veredicto::Cambio : Veredicto::Igual);
    if (v == Veredicto::Incierto) continue;
    if (v == Veredicto::Cambio) {
      preview.Circle(m.columnas.twips[i], m.filas.twips[j], 1, kColorMarca);
      ultimoCambio.Tomar(i, j);
      ++r.PuntosCambiados;
    }
    ++r.PuntosComparados;
  }
  if (zona && ultimoCambio.hay) {
    zona->PuntoEnBandas(m.bandasColumna[ultimoCambio.i], m.bandasFila[ultimoCambio.j]);
    r.SonidoAlarma = QuitarBlancos(zona->AlarmaCelda(zona->CeldaActual()));
  }
  if (zona && m.ultimoEnZona.hay)
    zona->PuntoEnBandas(m.bandasColumna[m.ultimoEnZona.i], m.bandasFila[m.ultimoEnZona.j]);
  const bool conFigura = zona ? (zona->CeldasZona() > 0 && r.PuntosComparados >= 1) : r.PuntosComparados > 0;
  if (conFigura) r.Similitud = Similitud(r.PuntosCambiados, r.PuntosComparados);
  return r;
}

}  // namespace miravela
