#pragma once
// The main window's controls besides the button bar and the sensors: suspending,
// the window size, the zone and tracking picture buttons, the recording light, the
// read-out box, the help links and the suspension banner. Made here, placed by the
// main window, redrawn together.
#include <QLabel>
#include <QWidget>
#include <functional>

#include "panel/button_bar.h"
#include "panel/modo_ventana.h"
#include "panel/suspension.h"

namespace miravela {

class LinkLabel;
class ModeButton;
class PictureButton;
class ReadoutBox;
class RecordingLight;
class SuspensionBanner;

// The model controls shown here that belong to other parts of the window.
struct ModelosPanel {
  ButtonBar& botones;
  Suspension& suspension;
  ModoVentana& ventana;
  const Control& txtSensor;
  const Control& imgRec;
  const Control& lblReverse;  // visible while the reverse tracking alarm is on
  std::function<bool()> zonaActiva;
  std::function<void()> limpiarZona, moverLimpiarZona;
  std::function<void()> invertirAlarma, moverInvertirAlarma;
  std::function<void()> cambiado;  // after any action, so the window redraws
};

class PanelControls {
 public:
  // `preview` holds the overlays (banner, recording light); the rest go to `window`.
  PanelControls(ModelosPanel modelos, QWidget* window, QWidget* preview);
  void Refresh();

  ModeButton* suspender = nullptr;
  ModeButton* ventana = nullptr;
  PictureButton* limpiarZona = nullptr;
  PictureButton* invertirAlarma = nullptr;
  QLabel* lblReverse = nullptr;
  RecordingLight* grabando = nullptr;
  ReadoutBox* lectura = nullptr;
  LinkLabel* ayuda = nullptr;
  LinkLabel* ayudaCam = nullptr;
  QLabel* credito = nullptr;
  SuspensionBanner* banner = nullptr;

 private:
  ModelosPanel m_;
};

}  // namespace miravela
