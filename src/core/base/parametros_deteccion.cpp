#include "base/parametros_deteccion.h"

#include "base/numbers.h"

namespace miravela {

ParametrosDeteccion ParametrosDensidad(int densidad, ParametrosDeteccion p) {
  struct Fila {
    int densidad;
    std::uint8_t paso;
    float salto;
    std::uint8_t tolerancia;
  };
  static constexpr Fila kTabla[] = {{0, 6, 6.0f, 35},  {10, 5, 5.0f, 30}, {20, 4, 4.0f, 25},
                                    {30, 3, 3.0f, 20}, {40, 2, 2.0f, 15}, {50, 1, 1.5f, 10}};
  for (const Fila& fila : kTabla) {
    if (fila.densidad != densidad) continue;
    p.PasoMuestra = fila.paso;
    p.SaltoMuestra = fila.salto;
    p.ToleranciaColor = fila.tolerancia;
  }
  p.PrimeraColumna = static_cast<std::int32_t>(RoundHalfEven(p.PasoMuestra / 3.0 + 0.5));
  p.ColumnasMuestra = p.PasoMuestra ? 320 / p.PasoMuestra : 0;
  p.FilasMuestra = p.PasoMuestra ? 240 / p.PasoMuestra : 0;
  return p;
}

bool ZoomExtraDeNivel(int nivel, std::int32_t& zoomExtra) {
  if (nivel < 1 || nivel > 5) return false;
  zoomExtra = (nivel - 1) * 5000;
  return true;
}

}  // namespace miravela
