#pragma once
// The two picture passes of the frame loop: fitting a picture into another, and the
// night-vision brightening.
#include <array>
#include <cstdint>

#include "base/picture_box.h"

namespace miravela {

class ZonaVigilancia;

// Centred, aspect-preserving copy of `origen` into `destino`; the copy becomes the
// destination's persistent picture.
void AjustarImagen(const PictureBox& origen, PictureBox& destino);

// round(channel x 128 / divisor), halves to even, above 255 taken as 255.
std::array<std::uint8_t, 256> TablaAclarado(std::uint8_t divisorNoche);

// Night-vision pass: fits `marco` into `trabajo` and brightens the first 322 x 242
// pixels of it, only those in zone cells when the zone is on. A divisor of 0 leaves
// the fitted picture as it is.
void AclararImagen(const PictureBox& marco, PictureBox& trabajo, ZonaVigilancia& zona, std::uint8_t divisorNoche);

}  // namespace miravela
