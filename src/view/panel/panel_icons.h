#pragma once
// The drawings of the button bar and of the small picture controls beside the
// preview, built into the program as SVG and drawn at whatever size a control has.
#include <QPainter>
#include <QString>
#include <QSvgRenderer>

namespace miravela {

// Resource name of the drawing of button `index` of the bar.
QString IconoBoton(int index);
inline const QString kIconoLimpiarZona = QStringLiteral(":/icons/limpiar_zona.svg");
inline const QString kIconoAlarmaInversa = QStringLiteral(":/icons/alarma_inversa.svg");
inline const QString kIconoGrabando = QStringLiteral(":/icons/grabando.svg");

// One drawing, parsed once by the control that shows it.
class Icono {
 public:
  explicit Icono(const QString& recurso) : renderer_(recurso) {}
  bool Valido() const { return renderer_.isValid(); }
  // Draws the drawing into `area`; a disabled control's drawing is greyed.
  void Dibujar(QPainter& p, const QRectF& area, bool habilitado = true);

 private:
  QSvgRenderer renderer_;
};

}  // namespace miravela
