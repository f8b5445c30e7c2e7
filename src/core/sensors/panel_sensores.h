#pragma once
// The sensor panel: seven sliders with their value labels, each writing the detection
// parameters the frame loop and the comparison read.
#include <QLocale>
#include <array>
#include <cstdint>
#include <functional>

#include "base/control.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "base/parametros_deteccion.h"
#include "base/picture_box.h"
#include "sensors/scroll_bar.h"

namespace miravela {

enum Sensor : int {
  kMovimiento = 0,
  kColor = 1,
  kFrecuencia = 2,
  kResolucion = 3,
  kDensidad = 4,
  kZoom = 5,
  kNivelNoche = 6,
};

// What the sliders write outside the panel.
struct SalidasPanel {
  ParametrosDeteccion& parametros;
  ModelTimer& tmrReloj;        // the frame loop; slider 2 sets its interval
  Control& lblAyuda;           // the help line of the button bar
  PictureBox& picture4;        // the full-size frame buffer; slider 3 sizes it
  Control& cmdNoche;           // the night-vision button; slider 6 writes its caption
  QLocale locale = QLocale();  // decimal separator of the Frecuencia label
};

struct Resolucion {
  std::int16_t ancho, alto;
  const char* etiqueta;
};
// The capture sizes of slider 3 (values 1..4), or nothing for any other value.
const Resolucion* ResolucionDeValor(int valor);
// The slider 3 value of a capture width, or 0 when the width is none of the four.
int ValorDeAnchoEscaner(int ancho);

// The Frecuencia label and frame interval for a value already cut to hundreds.
struct AjusteFrecuencia {
  int intervaloMs;
  QString etiqueta;
};
AjusteFrecuencia FrecuenciaDeValor(int valor, const QLocale& locale);

class PanelSensores {
 public:
  static constexpr int kSensores = 7;
  static constexpr int kEtiquetas = 14;

  explicit PanelSensores(SalidasPanel salidas);

  Control FraSensor;
  std::array<ScrollBar, kSensores> HsbSensor;
  std::array<Control, kEtiquetas> LblSensor;

  std::int16_t AnchoEscaner = 644;
  std::int16_t AltoEscaner = 484;
  std::uint8_t DivisorNoche = 30;

  std::uint8_t PasoMuestra() const { return s_.parametros.PasoMuestra; }
  int Valor(int sensor) const { return HsbSensor.at(static_cast<std::size_t>(sensor)).Value; }
  // The window's change and scroll events; both run the same handler.
  void HsbSensor_Change(int index);
  void HsbSensor_Scroll(int index);
  // The user moved the thumb (or a click stepped it) to `value`.
  void Mover(int index, int value);
  // Setting the value from code: refused outside the range; a different value runs
  // the handler as the user's change does. Returns whether the value was taken.
  bool FijarValor(int index, int value);

  // Raised after slider 3 has sized the frame buffer (the capture frame follows it).
  Hook<void()> ResolucionCambiada;
  // The pointer over the frame or one of its labels hides the button bar's hints.
  Hook<void()> EsconderBotones;
  void FraSensor_MouseMove();

 private:
  void Manejar(int index);
  void Frecuencia();
  void ResolucionEscaner();
  void Densidad();
  void Zoom();
  void NivelNoche();
  void Ayuda(const char* texto);
  ScrollBar& Slider(int index) { return HsbSensor[static_cast<std::size_t>(index)]; }
  Control& Etiqueta(int index) { return LblSensor[static_cast<std::size_t>(index)]; }

  SalidasPanel s_;
};

// Integer division truncating toward zero, then back: the value cut to a multiple of `paso`.
constexpr int CortarA(int value, int paso) { return (value / paso) * paso; }

}  // namespace miravela
