#pragma once
// Change detection: the colour test, the sample grid over the preview and the pass
// that compares the preview with the reference picture on that grid.
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/parametros_deteccion.h"
#include "base/picture_box.h"

namespace miravela {

class ZonaVigilancia;

struct Canales {
  std::int64_t rojo, verde, azul;
};
// Whole-number division and remainder keep the sign, so the "no colour" value -1
// of a point read outside a picture splits into (-1, 0, 0).
Canales SepararColor(std::int64_t color);

// T = 255 - 5 x the Color sensor value, held in a byte.
std::uint8_t UmbralColor(int sensorColor);
// True when the two colours lie further apart than the threshold (equal distance is no change).
bool CompararColor(std::int64_t c1, std::int64_t c2, std::uint8_t umbral);

// |100 - round(cambiados x 100 / comparados)|, halves to even.
std::int16_t Similitud(std::int32_t cambiados, std::int32_t comparados);

struct PuntoMuestra {
  int x, y;  // twips of the preview
};
// The sample points in scan order: columns outside, rows inside.
std::vector<PuntoMuestra> RejillaMuestra(const ParametrosDeteccion& p, double twipsPerPixelX, double twipsPerPixelY);

struct ResultadoComparacion {
  std::int32_t PuntosCambiados = 0;
  std::int32_t PuntosComparados = 0;
  std::optional<std::int16_t> Similitud;  // nothing when no figure could be made
  std::optional<QString> SonidoAlarma;    // the zone cell's alarm of the last change
  double GananciaLuz = 1.0;               // what the reference was scaled by before comparing
};

inline constexpr Color kColorMarca = 0x0000FF;  // red

// Compares `preview` with `referencia` on the grid, drawing a red mark on the preview
// at every changed point. With a zone (`zona` not null), only points in zone cells count.
// While light rejection is on (`p.RechazoLuz` above 0) the reference is first brought
// to the preview's brightness, and points whose change only saturation shows are left
// out of the count.
ResultadoComparacion CompararImagenes(PictureBox& preview, const PictureBox& referencia, const ParametrosDeteccion& p,
                                      std::uint8_t umbral, ZonaVigilancia* zona);

}  // namespace miravela
