#pragma once
// The pieces the main window builds its subsystems on: adapters between the window's
// own state and the interfaces the subsystems ask for.
#include "app/form1.h"

namespace miravela {

namespace piezas {

// The camera as a frame source; the frame buffer follows the camera's native size,
// with the two-pixel margin the picture box has always had.
class FuenteCamara : public FrameSource {
 public:
  FuenteCamara(CameraControl& camara, PictureBox& picture4) : camara_(camara), picture4_(picture4) {}
  std::optional<QImage> Snap() override {
    QImage frame = camara_.Snap();
    if (frame.isNull()) return std::nullopt;
    const QSize size = frame.size() + QSize(4, 4);
    if (picture4_.WidthPixels() != size.width() || picture4_.HeightPixels() != size.height())
      picture4_.SetSizePixels(size.width(), size.height());
    return frame;
  }

 private:
  CameraControl& camara_;
  PictureBox& picture4_;
};

// The button bar as the sensors press and read it.
class BotoneraForm : public Botonera {
 public:
  explicit BotoneraForm(ButtonBar& bar) : bar_(bar) {}
  Control& Boton(int index) const override { return bar_.PctBoton.at(static_cast<std::size_t>(index)); }
  void Click(int index) override { bar_.PctBoton_Click(index); }

 private:
  ButtonBar& bar_;
};

class PantallaForm : public PantallaCifras {
 public:
  explicit PantallaForm(Form1& form) : f_(form) {}
  bool VentanaNormal() const override { return f_.VentanaNormal; }
  bool VentanaExpandida() const override { return f_.TxtSensor.Visible; }
  QString TituloBase() const override { return f_.TituloBase; }
  void FijarCaption(const QString& caption) override { f_.Caption = caption; }
  void FijarTxtSensor(const QString& texto) override { f_.TxtSensor.Caption = texto; }

 private:
  Form1& f_;
};

}  // namespace piezas

struct Form1::Piezas {
  Piezas(Form1& form, CameraControl& camaraControl, Hook<QString()> alarmaElegida)
      : entradas(form.sensores(), std::move(alarmaElegida)),
        camara(camaraControl, form.pictures.Picture4),
        pantalla(form) {}
  EntradasSensores entradas;
  piezas::FuenteCamara camara;
  piezas::PantallaForm pantalla;
};

}  // namespace miravela
