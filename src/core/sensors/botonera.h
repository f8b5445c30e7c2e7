#pragma once
// What the sensors need of the button bar: a button's control, to read and set its
// on/off look, and raising its click exactly as the user's click would.
#include <functional>

#include "base/control.h"

namespace miravela {

struct Botonera {
  std::function<Control&(int)> Boton;
  std::function<void(int)> Click;

  bool Pulsado(int index) const { return Boton(index).Appearance == 1; }
};

// EstadoInicio once start-up has completed: only then do the restores of the
// scheduler and of auto-adjust, and the auto-adjust button, act.
inline constexpr int kInicioCompletado = 28657;

// Indexes of the buttons the sensors press or read.
inline constexpr int kBotonCamara = 0;
inline constexpr int kBotonActivarAlarma = 3;
inline constexpr int kBotonDesactivarAlarma = 4;
inline constexpr int kBotonProgramador = 5;
inline constexpr int kBotonEmail = 6;
inline constexpr int kBotonZona = 7;
inline constexpr int kBotonSeguimiento = 15;

// Colours shared by the three mode buttons (auto-adjust, night vision, capturer).
inline constexpr Color kModoApagado = Rgb(255, 255, 128);    // light yellow
inline constexpr Color kModoEncendido = Rgb(255, 128, 128);  // light red
inline constexpr Color kAyudaRoja = Rgb(255, 0, 0);

}  // namespace miravela
