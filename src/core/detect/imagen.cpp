#include "detect/imagen.h"

#include <algorithm>
#include <vector>

#include "base/numbers.h"
#include "detect/zona_vigilancia.h"

namespace miravela {

void AjustarImagen(const PictureBox& origen, PictureBox& destino) {
  const double W = destino.ScaleWidth(), H = destino.ScaleHeight();
  destino.ClearPicture();
  if (origen.ScaleWidth() > 0 && origen.ScaleHeight() > 0 && W > 0 && H > 0) {
    const double rs = static_cast<double>(origen.ScaleWidth()) / origen.ScaleHeight();
    double w = W, h = H;
    if (W / H <= rs)
      h = W / rs;
    else
      w = H * rs;
    destino.PaintPicture(origen.Image(), (W - w) / 2, (H - h) / 2, w, h);
  }
  destino.CommitImage();
}

std::array<std::uint8_t, 256> TablaAclarado(std::uint8_t divisorNoche) {
  std::array<std::uint8_t, 256> tabla{};
  for (int v = 0; v < 256; ++v) {
    const std::int64_t c = divisorNoche ? RoundHalfEven(v * 128.0 / divisorNoche) : v;
    tabla[static_cast<std::size_t>(v)] = static_cast<std::uint8_t>(std::min<std::int64_t>(c, 255));
  }
  return tabla;
}

namespace {

constexpr int kAnchoAclarado = 322, kAltoAclarado = 242;

QRgb Aclarar(QRgb p, const std::array<std::uint8_t, 256>& t) {
  return qRgb(t[static_cast<std::size_t>(qRed(p))], t[static_cast<std::size_t>(qGreen(p))],
              t[static_cast<std::size_t>(qBlue(p))]);
}

}  // namespace

void AclararImagen(const PictureBox& marco, PictureBox& trabajo, ZonaVigilancia& zona, std::uint8_t divisorNoche) {
  AjustarImagen(marco, trabajo);
  if (divisorNoche == 0) return;
  const auto tabla = TablaAclarado(divisorNoche);
  QImage& image = trabajo.MutableImage();
  const int ancho = std::min(kAnchoAclarado, image.width());
  const int alto = std::min(kAltoAclarado, image.height());
  const bool conZona = zona.Activa();
  // The zone test depends on the column and row bands only; work them out once.
  std::vector<int> columnas(static_cast<std::size_t>(std::max(ancho, 0)));
  for (int x = 0; x < ancho; ++x) columnas[static_cast<std::size_t>(x)] = ColumnaZona(x * trabajo.TwipsPerPixelX());
  for (int y = 0; y < alto; ++y) {
    auto* fila = reinterpret_cast<QRgb*>(image.scanLine(y));
    const int filaZona = FilaZona(y * trabajo.TwipsPerPixelY());
    for (int x = 0; x < ancho; ++x) {
      if (conZona && !zona.CeldaDeBandasEnZona(columnas[static_cast<std::size_t>(x)], filaZona)) continue;
      fila[x] = Aclarar(fila[x], tabla);
    }
  }
}

}  // namespace miravela
