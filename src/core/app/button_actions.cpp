// The commands of the button bar that belong to the main window itself.
#include "app/form1.h"

namespace miravela {

void Form1::ConectarBotones() {
  auto& bar = Botones;
  bar.SetAction(1, [this] {
    services_.window.Minimize();
    services_.launcher.OpenWithDefault(config.CarpetaImagenes);
  });
  bar.SetAction(3, [&bar] {
    bar.PctBoton[3].Visible = false;
    bar.PctBoton[4].Visible = true;
  });
  bar.SetAction(4, [&bar] {
    bar.PctBoton[3].Visible = true;
    bar.PctBoton[4].Visible = false;
  });
  for (int index = 9; index <= 11; ++index) {
    bar.SetAction(index, [this, slot = index - 7] {
      if (!programa.EsPrincipal()) return;
      const QString carpeta = programa.Ruta(QStringLiteral("Objetos/C%1").arg(slot));
      services_.launcher.StartDetached(carpeta + "/Miravela", {}, carpeta);
    });
  }
  bar.SetAction(13, [this, &bar] {
    if (bar.Pulsado(13)) return;  // the folder dialog is already open
    TmrReloj.SetEnabled(false);
    TmrSleep.SetEnabled(false);
    pictures.Picture3.Visible = true;
    bar.SetPulsado(13, true);
    const QString carpeta = services_.folders.Choose(QString::fromUtf8(
        "Seleccione una carpeta de OneDrive, Google Drive o Dropbox para tener acceso a las imágenes desde "
        "cualquier lugar y dispositivo."));
    GuardarCarpetaImagenes(programa, config, carpeta);
    bar.SetPulsado(13, false);
    if (bar.Pulsado(0)) {
      pictures.Picture3.Visible = false;
      TmrReloj.SetEnabled(true);
      TmrSleep.SetEnabled(true);
    }
  });
}

}  // namespace miravela
