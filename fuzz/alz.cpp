#include "zona.h"

namespace miravela::fuzz {

std::vector<QByteArray> Semillas() {
  // The file a first start writes (every cell without an alarm) and one of a drawn zone.
  return {LeerYGuardarZona(std::nullopt, std::nullopt).alz, ZonaDibujada().alz};
}

std::vector<QByteArray> Palabras() {
  return {"Sin Alarma", "\xEF\xBB\xBF", "\xC3\xA9", "\xE8\xAD\xA6", "\xF0\x9F\x94\x94", "\x81", "\x80", "  ", ".wav"};
}

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela::fuzz;
  static const QByteArray zna = ZonaDibujada().zna;
  ComprobarIdaYVuelta(LeerYGuardarZona(zna, Bytes(data, size)));
  return 0;
}
