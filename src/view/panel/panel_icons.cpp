#include "view/panel/panel_icons.h"

#include <QImage>
#include <array>

namespace miravela {

namespace {
constexpr std::array<const char*, 16> kIconos = {
    "boton00_camara",
    "boton01_carpeta",
    "boton02_configurar",
    "boton03_activar_alarma",
    "boton04_desactivar_alarma",
    "boton05_programador",
    "boton06_email",
    "boton07_zona",
    "camara_ranura",
    "camara_ranura",
    "camara_ranura",
    "camara_ranura",
    "camara_ranura",
    "boton13_nube",
    "boton14_sonido",
    "boton15_seguimiento",
};
}  // namespace

QString IconoBoton(int index) {
  if (index < 0 || index >= static_cast<int>(kIconos.size())) return {};
  return QStringLiteral(":/icons/%1.svg").arg(QLatin1String(kIconos[static_cast<std::size_t>(index)]));
}

void Icono::Dibujar(QPainter& p, const QRectF& area, bool habilitado) {
  if (!renderer_.isValid()) return;
  if (habilitado) return renderer_.render(&p, area);
  QImage image((area.size() * 2).toSize(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter ip(&image);
    renderer_.render(&ip);
  }
  p.save();
  p.setOpacity(0.35);
  p.drawImage(area, image);
  p.restore();
}

}  // namespace miravela
