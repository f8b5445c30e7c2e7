#pragma once
// The hand-editable configuration file Recursos/Miravela.INI: sixteen lines, pairs
// of a section line and a value, read by position.
#include <QString>
#include <cstdint>
#include <map>
#include <optional>

#include "base/program_folder.h"

namespace miravela {

// Pairs after the sixteen lines: a "[KEY]" line, then its value line. Each feature
// beyond the original file reads its own key, with its own default beside the feature,
// so a file without the pair behaves as the file always did.
class ParesOpcionales {
 public:
  void Fijar(const QString& clave, const QString& valor) { pares_[clave] = valor; }
  // The value line of "[clave]" (without the brackets), trimmed; nothing when absent.
  std::optional<QString> Valor(const QString& clave) const;
  // The value read as a whole number in [minimo, maximo]; nothing when the pair is
  // absent, not a number, or out of range, so the caller's default holds.
  std::optional<long long> Entero(const QString& clave, long long minimo, long long maximo) const;

 private:
  std::map<QString, QString> pares_;
};

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
  ParesOpcionales Opcionales;
};

// What a missing or zero value of the file stands for.
inline constexpr std::uint8_t kRepeticionEfectoPorDefecto = 7;
inline constexpr std::uint8_t kCalidadJpegPorDefecto = 75;

inline constexpr const char* kArchivoIni = "Recursos/Miravela.INI";

// The values of the file as written, before folders are settled: the eight values
// of a file's 16 positional fields. Exposed for the tests of the field rules.
Configuracion LeerValoresIni(const QByteArray& contenido, Configuracion base);

// Reads the INI (writing the defaults when it is missing) and settles the working
// folders, creating those that are missing.
Configuracion CargarConfiguracion(const ProgramFolder& programa);

// Makes `ruta` the images folder and rewrites its value line in the INI, keeping
// every other line. Returns false when the path was refused: not a folder, or a
// name that no value line can hold whole (a line break; a comma together with a quote).
bool GuardarCarpetaImagenes(const ProgramFolder& programa, Configuracion& config, QString ruta);

}  // namespace miravela
