#pragma once
// What the sensors need of the button bar: a button's control, to read and set its
// on/off look, and raising its click exactly as the user's click would.

#include "base/botones.h"
#include "base/control.h"
#include "base/estado_inicio.h"
#include "base/paleta.h"

namespace miravela {

class Botonera {
 public:
  virtual ~Botonera() = default;
  virtual Control& Boton(int index) const = 0;
  virtual void Click(int index) = 0;

  bool Pulsado(int index) const { return Boton(index).Appearance == 1; }
};

}  // namespace miravela
