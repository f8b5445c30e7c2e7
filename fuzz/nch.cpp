// NCH: night vision on or off, and its level.
#include "sensores.h"

namespace miravela::fuzz {
namespace {

void Paso(test::SensorsRig& rig) {
  rig.s->CargarVisionNocturna();
  rig.s->GuardarVisionNocturna();
}

}  // namespace

std::vector<QByteArray> Semillas() {
  QByteArray encendida = SemillaDe("Miravela.NCH", 1, [](test::SensorsRig& rig) {
    rig.PulsarBoton(0);
    rig.s->noche.CmdNoche_Click();
    rig.s->GuardarVisionNocturna();
  });
  return {SemillaDe("Miravela.NCH", 1, Paso), encendida};
}

std::vector<QByteArray> Palabras() { return {QByteArray("\x01\x00\x00\x00", 4), QByteArray("\x32\x00\x00\x00", 4)}; }

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  miravela::fuzz::ComprobarIdaYVuelta("Miravela.NCH", miravela::fuzz::Bytes(data, size), 1, miravela::fuzz::Paso);
  return 0;
}
