#pragma once
// The optional INI pairs of the watches over the disk and the camera, with their
// defaults. A file without them gets the defaults.
#include <QString>
#include <cstdint>
#include <optional>

#include "base/configuracion.h"

namespace miravela {

// "[LIBRE]": megabytes to keep free on the images folder's file system.
inline constexpr const char* kClaveLibre = "LIBRE";
// "[VIGIA]": seconds without a new frame, or of a covered lens, before the alarm; 0 is off.
inline constexpr const char* kClaveVigia = "VIGIA";
inline constexpr int kVigiaPorDefecto = 30;
inline constexpr int kVigiaMaximo = 86400;
// Without "[LIBRE]": this share of the file system, but never more than kReservaMaximaMb.
inline constexpr int kReservaPorcentaje = 5;
inline constexpr std::int64_t kReservaMaximaMb = 2048;
inline constexpr std::int64_t kLibreMaximoMb = std::int64_t{1} << 32;

struct AjustesVigilancia {
  std::optional<std::int64_t> libreMb;  // nothing: the share of the file system
  int vigiaSegundos = kVigiaPorDefecto;
};

// A value that is no whole number or out of range counts as absent, so the default holds.
AjustesVigilancia LeerAjustesVigilancia(const ParesOpcionales& pares);

// Bytes to keep free on a file system of `totalBytes`.
std::int64_t ReservaBytes(const AjustesVigilancia& ajustes, std::int64_t totalBytes);

}  // namespace miravela
