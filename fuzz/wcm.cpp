// WCM: the camera chosen in the list, by its place in the list.
#include "ventana.h"

namespace miravela::fuzz {
namespace {

int Elegida(const QByteArray& wcm) {
  Ventana& v = LaVentana();
  EscribirArchivo(v.Recurso("Miravela.WCM"), wcm);
  v.form->conexion().CargarCamaras();
  return v.form->conexion().CboDriver.ListIndex;
}

}  // namespace

std::vector<QByteArray> Semillas() {
  Ventana& v = LaVentana();
  std::vector<QByteArray> semillas;
  for (int index : {0, 1, 2}) {
    v.form->conexion().CargarCamaras();
    v.form->conexion().CboDriver.ListIndex = index;
    v.form->conexion().GuardarCamara();
    semillas.push_back(LeerArchivo(v.Recurso("Miravela.WCM")));
  }
  return semillas;
}

std::vector<QByteArray> Palabras() { return {QByteArray("\x02\x00\x00\x00", 4), QByteArray("\xFF\xFF\xFF\xFF", 4)}; }

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela::fuzz;
  Ventana& v = LaVentana();
  const int index = Elegida(Bytes(data, size));
  // Some camera of the list is chosen, and the one saved is the one the next start chooses.
  FUZZ_CHECK(index >= 0 && index < v.form->conexion().CboDriver.List.size());
  v.form->conexion().GuardarCamara();
  FUZZ_CHECK(Elegida(LeerArchivo(v.Recurso("Miravela.WCM"))) == index);
  return 0;
}
