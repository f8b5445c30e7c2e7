// PES: the screen capturer's frame position and zoom, read at each start and written at each stop.
#include "sensores.h"

namespace miravela::fuzz {
namespace {

void Paso(test::SensorsRig& rig) {
  rig.s->escaner.CmdScan_Click();
  rig.s->escaner.CmdScan_Click();
}

}  // namespace

std::vector<QByteArray> Semillas() {
  QByteArray movido = SemillaDe("Miravela.PES", 2, [](test::SensorsRig& rig) {
    rig.s->escaner.CmdScan_Click();
    rig.s->marco.Movida(4500, 6000);
    rig.s->marco.CmdZoom_Click(0);
    rig.s->marco.CmdZoom_Click(0);
    rig.s->escaner.CmdScan_Click();
  });
  return {SemillaDe("Miravela.PES", 2, Paso), movido};
}

std::vector<QByteArray> Palabras() {
  return {QByteArray("\x84\x02\x00\x00", 4), QByteArray("\x84\x07\x00\x00", 4), QByteArray("\x01\x00\x00\x00", 4)};
}

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  miravela::fuzz::ComprobarIdaYVuelta("Miravela.PES", miravela::fuzz::Bytes(data, size), 2, miravela::fuzz::Paso);
  return 0;
}
