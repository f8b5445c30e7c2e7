#include "zona.h"

namespace miravela::fuzz {

std::vector<QByteArray> Semillas() { return {ZonaDibujada().zna, QByteArray(kBytesZna, '\0')}; }

std::vector<QByteArray> Palabras() { return {QByteArray("\x2C\x01", 2), QByteArray("\x00\x80", 2)}; }

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela::fuzz;
  static const QByteArray alz = ZonaDibujada().alz;
  ComprobarIdaYVuelta(LeerYGuardarZona(Bytes(data, size), alz));
  return 0;
}
