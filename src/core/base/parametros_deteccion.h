#pragma once
// The detection parameters the sensor panel writes and the frame loop reads.
#include <cstdint>

namespace miravela {

// The optional "[LUZ]" pair of the configuration INI: the share of compared sample
// points, in percent, above which a tick is a change of the light and raises no alarm.
// 0 switches light rejection off and leaves the plain frame-to-frame comparison.
inline constexpr const char* kClaveLuz = "LUZ";
// Chosen from clips of a furnished room at the default sensors: a person-sized figure
// crossing changes at most 22% of the points, a lamp switched by 30-60% changes up to
// 66% under the plain rule and under 1% once the light is evened out; the share sits
// well above any figure and well below what a knocked camera changes.
inline constexpr std::uint8_t kRechazoLuzPredeterminado = 55;

struct ParametrosDeteccion {
  std::uint8_t PasoMuestra = 3;       // pixels between sample points
  float SaltoMuestra = 3.0f;          // loop stride over the sample indices
  std::uint8_t ToleranciaColor = 20;  // per-channel tolerance of object tracking
  std::int32_t PrimeraColumna = 2;
  std::int32_t ColumnasMuestra = 106;
  std::int32_t FilasMuestra = 80;
  std::int32_t ZoomExtra = 0;  // twips added to the frame buffer's size when the snapshot is painted
  // Percent of changed points above which a tick is a change of the light; 0 is off.
  std::uint8_t RechazoLuz = kRechazoLuzPredeterminado;
};

// The sampling parameters for a Densidad slider value (0, 10 ... 50); any other value
// leaves `actuales` as they are. `ZoomExtra` and `RechazoLuz` are never touched.
ParametrosDeteccion ParametrosDensidad(int densidad, ParametrosDeteccion actuales);

// ZoomExtra for zoom slider values 1..5, or nothing for any other value.
bool ZoomExtraDeNivel(int nivel, std::int32_t& zoomExtra);

}  // namespace miravela
