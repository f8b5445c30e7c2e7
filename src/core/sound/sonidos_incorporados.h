#pragma once
// The sounds the program carries inside itself (alarm sounds, background effects and
// the voice clips), written out on a start to the folders where the program looks for
// them, so a first run already has something to choose.
#include <QString>
#include <QStringList>

#include "base/configuracion.h"

namespace miravela {

// The built-in sounds of one kind, as resource paths (":/sounds/Alarmas/...").
QStringList SonidosIncorporados(const QString& tipo);

// Writes the built-in sounds of `tipo` ("Alarmas", "Sonidos" or "OLMiX") into
// `carpeta`, creating it when missing, when the folder holds none of them under
// their names in MP3 or WAV. A file of the same name is never overwritten. Returns
// how many files were written.
int InstalarSonidos(const QString& tipo, const QString& carpeta);

// The three kinds, each into its folder of the configuration.
void InstalarSonidosIncorporados(const Configuracion& config);

}  // namespace miravela
