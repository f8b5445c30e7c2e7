#pragma once
// The alarm sound: chosen from the sound files of the alarms folder, remembered in
// Recursos/Miravela.ALR, and played when an alarm saves its photograph.
#include <QString>
#include <functional>

#include "base/configuracion.h"
#include "base/control.h"
#include "base/hook.h"
#include "sound/medios.h"

namespace miravela {

inline constexpr int kLongitudAlr = 255;

struct EntornoAlarmas {
  const Configuracion& config;  // the alarms folder
  QString archivoAlr;           // Recursos/Miravela.ALR
  const Medios& medios;
  // Shows a text on the help line in its red.
  Hook<void(const QString&)> ayuda;
  Color colorDesplegada;  // the list's background while it is open
};

class AlarmasSonido {
 public:
  explicit AlarmasSonido(EntornoAlarmas entorno);

  ComboBox CboAlarma;  // hidden until a camera connects

  void CargarAlarmas();
  void GuardarAlarma() const;
  void CboAlarma_DropDown();
  // Plays `archivo` (alarms folder and sound name, without extension). False when the
  // alarm list is empty: there is nothing to play and the caller beeps instead.
  bool ReproducirAlarma(const QString& archivo) const;

 private:
  EntornoAlarmas e_;
};

// The 255-byte record of ALR: Windows-1252 when the name fits that code page, else
// UTF-8, filled with blanks and cut at 255 bytes.
QByteArray RegistroAlr(const QString& nombre);
// The name a record holds, blanks trimmed at both ends.
QString NombreDeRegistroAlr(const QByteArray& registro);

}  // namespace miravela
