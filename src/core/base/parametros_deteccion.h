#pragma once
// The detection parameters the sensor panel writes and the frame loop reads.
#include <cstdint>

#include "detect/luz.h"

namespace miravela {

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
