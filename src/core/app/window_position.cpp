// The window position file: where the main window was when the program last closed.
#include "app/form1.h"
#include "base/registro_ajustes.h"

namespace miravela {
namespace {
const char* const kArchivoPosicion = "Recursos/Miravela.PWC";
}

void Form1::CargarPosicion() {
  const QSize pantalla = services_.window.ScreenSizeTwips();
  if (auto registros = LeerRegistros(programa.Ruta(kArchivoPosicion), 1)) {
    const RegistroAjustes& r = registros->front();
    if (r.Campo5 >= 0 && r.Campo6 >= 0 && pantalla.width() >= r.Campo5 && pantalla.height() >= r.Campo6) {
      Left = r.Campo5;
      Top = r.Campo6;
      return;
    }
  }
  Left = (pantalla.width() - Width) / 2;
  Top = (pantalla.height() - Height) / 2;
}

void Form1::GuardarPosicion() {
  RegistroAjustes r;
  r.Campo5 = Left;
  r.Campo6 = Top;
  EscribirRegistros(programa.Ruta(kArchivoPosicion), {r});
}

}  // namespace miravela
