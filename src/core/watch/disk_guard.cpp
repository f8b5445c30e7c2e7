#include "watch/disk_guard.h"

#include <algorithm>

#include "base/day_folders.h"

namespace miravela {

bool DiskGuard::HacerSitio() {
  std::optional<DiskSpace> space = e_.espacio.Measure(e_.carpetaImagenes);
  // A disk that cannot be measured is left to the write itself, whose failure counts.
  if (!space) return true;
  const std::int64_t reserva = ReservaBytes(e_.ajustes, space->totalBytes);
  if (space->freeBytes >= reserva) return true;
  const QString hoy = NombreCarpetaDia(e_.clock.Now().date());
  for (const QString& dia : CarpetasDia(e_.carpetaImagenes)) {
    // Today's folder, and any dated after it by a clock once set wrong, are never pruned.
    if (dia >= hoy) break;
    if (EliminarCarpetaDia(e_.carpetaImagenes + u'/' + dia) == 0) continue;
    e_.liberado(dia);
    space = e_.espacio.Measure(e_.carpetaImagenes);
    if (!space || space->freeBytes >= reserva) return true;
  }
  Llenar();
  return false;
}

void DiskGuard::FotoGuardada(bool escrita) {
  if (escrita) {
    lleno_ = false;
    return;
  }
  const std::optional<DiskSpace> space = e_.espacio.Measure(e_.carpetaImagenes);
  if (space && space->freeBytes < std::max(ReservaBytes(e_.ajustes, space->totalBytes), kSitioFoto)) Llenar();
}

void DiskGuard::Llenar() {
  if (lleno_) return;
  lleno_ = true;
  e_.lleno();
}

}  // namespace miravela
