// The commands of the button bar that belong to the main window itself.
#include "app/form1.h"
#include "base/botones.h"

namespace miravela {

void Form1::ConectarBotones() {
  auto& bar = Botones;
  bar.SetAction(kBotonCarpetaImagenes, [this] {
    services_.window.Minimize();
    services_.launcher.OpenWithDefault(config.CarpetaImagenes);
  });
  bar.SetAction(kBotonActivarAlarma, [&bar] {
    bar.PctBoton[kBotonActivarAlarma].Visible = false;
    bar.PctBoton[kBotonDesactivarAlarma].Visible = true;
  });
  bar.SetAction(kBotonDesactivarAlarma, [&bar] {
    bar.PctBoton[kBotonActivarAlarma].Visible = true;
    bar.PctBoton[kBotonDesactivarAlarma].Visible = false;
  });
  for (int slot = 2; slot <= 4; ++slot) {
    bar.SetAction(BotonDeSlot(slot), [this, slot] {
      if (!programa.EsPrincipal()) return;
      const QString carpeta = programa.Ruta(QStringLiteral("Objetos/C%1").arg(slot));
      services_.launcher.StartDetached(carpeta + "/Miravela", {}, carpeta);
    });
  }
  bar.SetAction(kBotonNube, [this, &bar] {
    if (bar.Pulsado(kBotonNube)) return;  // the folder dialog is already open
    TmrReloj.SetEnabled(false);
    TmrSleep.SetEnabled(false);
    pictures.Picture3.Visible = true;
    bar.SetPulsado(kBotonNube, true);
    const QString carpeta = services_.folders.Choose(QString::fromUtf8(
        "Seleccione una carpeta de OneDrive, Google Drive o Dropbox para tener acceso a las imágenes desde "
        "cualquier lugar y dispositivo."));
    GuardarCarpetaImagenes(programa, config, carpeta);
    bar.SetPulsado(kBotonNube, false);
    if (bar.Pulsado(kBotonCamara)) {
      pictures.Picture3.Visible = false;
      TmrReloj.SetEnabled(true);
      TmrSleep.SetEnabled(true);
    }
  });
}

}  // namespace miravela
