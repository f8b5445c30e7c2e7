#pragma once
// A horizontal scroll bar of a window as the model holds it. A value outside its
// range is refused, as the window's own control refuses it.
#include "base/control.h"

namespace miravela {

struct ScrollBar : Control {
  int Min = 0;
  int Max = 0;
  int SmallChange = 1;
  int LargeChange = 1;
  int Value = 0;

  bool EnRango(int value) const { return value >= Min && value <= Max; }
};

}  // namespace miravela
