#pragma once
// The colours of the button bar and the panel, in the model's 0x00BBGGRR notation.
#include "base/control.h"

namespace miravela {

inline constexpr Color kColorReposo = 0xC0FFC0;      // pale green: a control at rest
inline constexpr Color kColorResaltado = 0x80FF80;   // light green: under the pointer, or this slot
inline constexpr Color kColorPulsado = 0x8080FF;     // light red: pressed, or a mode that is on
inline constexpr Color kColorModoReposo = 0x80FFFF;  // light yellow: auto-adjust and capturer at rest
inline constexpr Color kAyudaActiva = 0x0000FF;      // red help text while it explains a control
inline constexpr Color kAyudaReposo = 0x404040;      // dark grey help text at rest

}  // namespace miravela
