#pragma once
// The hand-editable configuration file Recursos/Miravela.INI: sixteen lines, pairs
// of a section line and a value, read by position.
#include <QString>
#include <cstdint>

#include "base/program_folder.h"

namespace miravela {

struct Configuracion {
  QString EtiquetaCamara;
  QString CarpetaImagenes;
  QString CarpetaAlarmas;
  QString CarpetaSonidos;
  QString CarpetaFondos;
  QString Plugin;
  std::uint8_t RepeticionEfecto = 0;
  std::uint8_t CalidadJpeg = 0;
  QString CarpetaVoz;
};

inline constexpr const char* kArchivoIni = "Recursos/Miravela.INI";

// The values of the file as written, before folders are settled: the eight values
// of a file's 16 positional fields. Exposed for the tests of the field rules.
Configuracion LeerValoresIni(const QByteArray& contenido, Configuracion base);

// Reads the INI (writing the defaults when it is missing) and settles the working
// folders, creating those that are missing.
Configuracion CargarConfiguracion(const ProgramFolder& programa);

// Makes `ruta` the images folder and rewrites its value line in the INI, keeping
// every other line. Returns false when the path was refused.
bool GuardarCarpetaImagenes(const ProgramFolder& programa, Configuracion& config, QString ruta);

}  // namespace miravela
