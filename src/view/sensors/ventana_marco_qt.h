#pragma once
// The capture frame as a real top-level window: frameless, above all other windows,
// never taking the focus, shaped by the model's region so that the desktop shows
// through the frame and clicks inside it reach the windows below.
#include <QPoint>
#include <QRasterWindow>
#include <optional>

#include "sensors/marco_captura.h"

namespace miravela {

class VentanaMarcoQt : public QRasterWindow, public VentanaMarco {
 public:
  explicit VentanaMarcoQt(MarcoCaptura& marco);
  ~VentanaMarcoQt() override;

  void Mostrar() override;
  void Cerrar() override;
  void Actualizar() override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  int BotonEn(const QPoint& p) const;
  MarcoCaptura& marco_;
  std::optional<QPoint> arrastre_;  // pointer offset while dragging by hand
  int botonPulsado_ = -1;
  bool aplicando_ = false;
};

}  // namespace miravela
