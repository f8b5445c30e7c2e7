// SNR: the sliders and the switches saved at shut-down, restored at start-up.
#include "sensores.h"

namespace miravela::fuzz {
namespace {

void Paso(test::SensorsRig& rig) {
  rig.s->CargarSensores();
  rig.s->GuardarSensores();
}

}  // namespace

std::vector<QByteArray> Semillas() {
  // A first start, and a start with every switch on.
  QByteArray todo = SemillaDe("Miravela.SNR", 3, [](test::SensorsRig& rig) {
    for (int boton : {0, 6, 7, 11, 15}) rig.PulsarBoton(boton);
    rig.reducida = rig.inversa = true;
    rig.s->escaner.CmdScan_Click();
    rig.s->ApagarEscaner();
    rig.s->GuardarSensores();
  });
  return {SemillaDe("Miravela.SNR", 3, Paso), todo};
}

std::vector<QByteArray> Palabras() {
  return {QByteArray("\x02\x00\x01\x00", 4), QByteArray("\x08\x00\x01\x00\x31", 5)};
}

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  miravela::fuzz::ComprobarIdaYVuelta("Miravela.SNR", miravela::fuzz::Bytes(data, size), 3, miravela::fuzz::Paso);
  return 0;
}
