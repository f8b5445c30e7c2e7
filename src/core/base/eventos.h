#pragma once
// What happens in one part of the program that other parts want to hear of. The
// composing window subscribes the listeners (alarm sound, mail alert, journal).
#include <QDateTime>
#include <QString>

namespace miravela {

struct FotoGuardada {
  QString ruta;  // the photograph, whole under its final name
  QDateTime cuando;
  QString sonidoAlarma;  // the alarm sound of the zone cell that changed
  int similitud = 100;
};

}  // namespace miravela
