#pragma once
// The screen capturer: the frame loop watches the desktop rectangle inside the capture
// frame window instead of the camera. PES keeps the frame's place and the zoom.
#include <QString>
#include <functional>
#include <optional>

#include "base/control.h"
#include "base/frame_source.h"
#include "base/hook.h"
#include "base/picture_box.h"
#include "base/services.h"
#include "sensors/botonera.h"
#include "sensors/marco_captura.h"
#include "sensors/panel_sensores.h"
#include "sensors/screen_grabber.h"

namespace miravela {

struct EntornoEscaner {
  PanelSensores& panel;
  MarcoCaptura& marco;
  ScreenGrabber& grabber;
  Botonera& botones;
  PictureBox& picture4;
  MessageBoxService& mensajes;
  WindowHost& pantalla;  // the screen's size in twips
  Hook<void()> esconderBotones;
  QString archivo;  // Recursos/Miravela.PES
};

// The desktop rectangle copied for a frame window at (left, top) of the given size,
// all in pixels: just inside the window's border, below its drag bar.
QRect RectanguloCaptura(int left, int top, int width, int height);

class CapturadorPantalla : public FrameSource {
 public:
  explicit CapturadorPantalla(EntornoEscaner entorno);

  Control CmdScan;  // tag "1" while running
  bool Activo() const { return CmdScan.Tag.toInt() != 0; }

  void CmdScan_Click();
  void CmdScan_MouseMove(Control& lblAyuda) const;
  std::optional<QImage> CapturarPantalla();
  std::optional<QImage> Snap() override { return CapturarPantalla(); }

  void CargarEscaner();
  void GuardarEscaner() const;
  // Shut-down: stop through the button, then mark it running again so the sensors
  // file records it as on.
  void ApagarAlCerrar();
  // Slider 3 has sized the frame buffer: the frame and its zoom follow.
  void ResolucionCambiada();

 private:
  void Iniciar();
  void Detener();
  void MostrarResolucion(bool visible);
  EntornoEscaner e_;
};

}  // namespace miravela
