#include "detect/comparacion.h"

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

std::vector<PuntoMuestra> RejillaMuestra(const ParametrosDeteccion& p, double tppX, double tppY) {
  std::vector<PuntoMuestra> puntos;
  const std::int64_t salto = RoundHalfEven(p.SaltoMuestra);
  if (salto <= 0) return puntos;
  for (std::int64_t col = p.PrimeraColumna; col <= p.ColumnasMuestra; col += salto) {
    const int x = static_cast<int>(RoundHalfEven(tppX * static_cast<double>(col) * p.PasoMuestra));
    for (std::int64_t fila = 1; fila <= p.FilasMuestra; fila += salto) {
      const int y = static_cast<int>(RoundHalfEven(tppY * static_cast<double>(fila) * p.PasoMuestra));
      puntos.push_back({x, y});
    }
  }
  return puntos;
}

namespace {

// Reads pixels straight from the image rows; the pass reads two pictures at up to
// 19 200 points per tick.
class LectorPixeles {
 public:
  explicit LectorPixeles(const QImage& image) : image_(image) {}
  std::int64_t At(int px, int py) const {
    if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height()) return kSinColor;
    return FromQRgb(reinterpret_cast<const QRgb*>(image_.constScanLine(py))[px]);
  }

 private:
  const QImage& image_;
};

}  // namespace

ResultadoComparacion CompararImagenes(PictureBox& preview, const PictureBox& referencia,
                                      const ParametrosDeteccion& p, std::uint8_t umbral,
                                      ZonaVigilancia* zona) {
  ResultadoComparacion r;
  const QImage referenciaImagen = referencia.Image();
  const LectorPixeles antes(referenciaImagen);
  const LectorPixeles ahora(preview.Image());  // marks land here as the pass goes
  for (const PuntoMuestra& punto :
       RejillaMuestra(p, preview.TwipsPerPixelX(), preview.TwipsPerPixelY())) {
    if (zona && !zona->PuntoEnZona(punto.x, punto.y)) continue;
    const std::int64_t c1 = ahora.At(preview.PixelX(punto.x), preview.PixelY(punto.y));
    const std::int64_t c2 = antes.At(referencia.PixelX(punto.x), referencia.PixelY(punto.y));
    if (CompararColor(c1, c2, umbral)) {
      preview.Circle(punto.x, punto.y, 1, kColorMarca);
      if (zona) r.SonidoAlarma = QuitarBlancos(zona->AlarmaCelda(zona->CeldaActual()));
      ++r.PuntosCambiados;
    }
    ++r.PuntosComparados;
  }
  const bool conFigura = zona ? (zona->CeldasZona() > 0 && r.PuntosComparados >= 1)
                              : r.PuntosComparados > 0;
  if (conFigura) r.Similitud = Similitud(r.PuntosCambiados, r.PuntosComparados);
  return r;
}

}  // namespace miravela
