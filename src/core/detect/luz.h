#pragma once
// Light rejection: a lamp switched on, a passing cloud or a camera hunting for its
// exposure changes every point of the picture and is no intruder. The reference is
// brought to the current picture's brightness before the points are compared, and a
// tick in which most of the picture still changes is taken as a change of the light.
#include <cstdint>
#include <vector>

#include "base/parametros_deteccion.h"

namespace miravela {

class ParesOpcionales;

// The share the INI asks for, or the default when the pair is missing or not a
// whole number from 0 to 100.
std::uint8_t LeerRechazoLuz(const ParesOpcionales& opcionales);

// More than `rechazo` percent of the compared points changed: a global change. Never
// true while light rejection is off.
bool CambioGlobal(std::int32_t cambiados, std::int32_t comparados, std::uint8_t rechazo);

// A sample point's colour now and in the reference (kSinColor outside a picture).
struct ParMuestra {
  std::int64_t ahora, antes;
};

// The gain that brings the reference to the current light: the median over the points
// of the ratio of their brightness now to before. Points near black or saturated in
// either picture say nothing about the light and are left out; with none left the
// gain is 1.
double GananciaLuz(const std::vector<ParMuestra>& pares);

enum class Veredicto {
  Igual,
  Cambio,
  // Only saturation makes the point look changed: a clipped channel hides how bright
  // it really is, so the point is left out of the count.
  Incierto,
};

// Compares points against a reference scaled by a fixed gain.
class ComparadorNormalizado {
 public:
  ComparadorNormalizado(double ganancia, std::uint8_t umbral);
  Veredicto Comparar(std::int64_t ahora, std::int64_t antes) const;

 private:
  std::uint32_t ganancia16_;  // gain in 1/65536ths
  std::uint8_t umbral_;
  std::int32_t umbral2_;
};

}  // namespace miravela
