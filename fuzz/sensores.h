#pragma once
// The sensors subsystem's files, read and written through the subsystem as the main
// window composes it: SNR (sliders and the saved switches), NCH (night vision) and PES
// (the screen capturer's frame and zoom).
#include "comun.h"
#include "driver.h"
#include "sensors/sensors_rig.h"

namespace miravela::fuzz {

// A settings file of the subsystem after one pass of `paso` over `entrada` in a fresh
// folder: the file as the pass left it, cut to the records the owner writes.
template <typename Paso>
QByteArray TrasUnPaso(const char* archivo, const QByteArray& entrada, std::size_t registros, Paso paso) {
  test::SensorsRig rig;
  const QString ruta = rig.Recursos() + "/" + archivo;
  EscribirArchivo(ruta, entrada);
  paso(rig);
  return LeerArchivo(ruta).left(static_cast<qsizetype>(registros * RegistroAjustes::kLongitud));
}

// Whatever the file held, what the owner writes after reading it reads back to the
// same state, so a second pass writes the very same bytes.
template <typename Paso>
void ComprobarIdaYVuelta(const char* archivo, const QByteArray& entrada, std::size_t registros, Paso paso) {
  const QByteArray primera = TrasUnPaso(archivo, entrada, registros, paso);
  FUZZ_CHECK(primera.size() == static_cast<qsizetype>(registros * RegistroAjustes::kLongitud));
  FUZZ_CHECK(TrasUnPaso(archivo, primera, registros, paso) == primera);
}

// The file the owner writes from the state a pass leaves, without an input file.
template <typename Paso>
QByteArray SemillaDe(const char* archivo, std::size_t registros, Paso paso) {
  test::SensorsRig rig;
  paso(rig);
  return LeerArchivo(rig.Recursos() + "/" + archivo)
      .left(static_cast<qsizetype>(registros * RegistroAjustes::kLongitud));
}

}  // namespace miravela::fuzz
