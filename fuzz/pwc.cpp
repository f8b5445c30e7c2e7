// PWC: where the main window was when the program last closed.
#include "ventana.h"

namespace miravela::fuzz {
namespace {

QPoint Lugar(const QByteArray& pwc) {
  Ventana& v = LaVentana();
  EscribirArchivo(v.Recurso("Miravela.PWC"), pwc);
  v.form->CargarPosicion();
  return {v.form->Left, v.form->Top};
}

}  // namespace

std::vector<QByteArray> Semillas() {
  Ventana& v = LaVentana();
  std::vector<QByteArray> semillas;
  for (const QPoint lugar : {QPoint(0, 0), QPoint(1500, 3000), QPoint(-15, 40000)}) {
    v.form->Left = lugar.x();
    v.form->Top = lugar.y();
    v.form->GuardarPosicion();
    semillas.push_back(LeerArchivo(v.Recurso("Miravela.PWC")));
  }
  return semillas;
}

std::vector<QByteArray> Palabras() { return {QByteArray("\xFF\xFF\xFF\xFF", 4), QByteArray("\x00\x00\x00\x80", 4)}; }

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela::fuzz;
  Ventana& v = LaVentana();
  const QPoint lugar = Lugar(Bytes(data, size));
  // The window opens on the screen, and where it opened is where the next start opens it.
  const QSize pantalla = v.fakes.window.ScreenSizeTwips();
  FUZZ_CHECK(lugar.x() <= pantalla.width() && lugar.y() <= pantalla.height());
  v.form->GuardarPosicion();
  FUZZ_CHECK(Lugar(LeerArchivo(v.Recurso("Miravela.PWC"))) == lugar);
  return 0;
}
