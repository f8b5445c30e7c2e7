#include "watch/watch_settings.h"

#include <algorithm>

#include "base/units.h"

namespace miravela {

AjustesVigilancia LeerAjustesVigilancia(const ParesOpcionales& pares) {
  AjustesVigilancia ajustes;
  ajustes.libreMb = pares.Entero(kClaveLibre, 0, kLibreMaximoMb);
  if (const auto vigia = pares.Entero(kClaveVigia, 0, kVigiaMaximo)) ajustes.vigiaSegundos = static_cast<int>(*vigia);
  return ajustes;
}

std::int64_t ReservaBytes(const AjustesVigilancia& ajustes, std::int64_t totalBytes) {
  if (ajustes.libreMb) return *ajustes.libreMb * kBytesPorMegabyte;
  return std::min(std::max<std::int64_t>(totalBytes, 0) / 100 * kReservaPorcentaje,
                  kReservaMaximaMb * kBytesPorMegabyte);
}

}  // namespace miravela
