#pragma once
// The indices of the button bar: every feature is switched by raising a button's click,
// so these numbers are how the parts of the program name each other's commands.

namespace miravela {

inline constexpr int kBotonCamara = 0;
inline constexpr int kBotonCarpetaImagenes = 1;
inline constexpr int kBotonConfigurarCamara = 2;
inline constexpr int kBotonActivarAlarma = 3;
inline constexpr int kBotonDesactivarAlarma = 4;
inline constexpr int kBotonProgramador = 5;
inline constexpr int kBotonEmail = 6;
inline constexpr int kBotonZona = 7;
inline constexpr int kBotonSlot1 = 8;  // slots 1 to 5 are buttons 8 to 12
inline constexpr int kBotonSlot5 = 12;
inline constexpr int kBotonNube = 13;
inline constexpr int kBotonEfectosSonido = 14;
inline constexpr int kBotonSeguimiento = 15;

// The button of camera slot `slot` (1..5).
constexpr int BotonDeSlot(int slot) { return kBotonSlot1 + slot - 1; }

}  // namespace miravela
