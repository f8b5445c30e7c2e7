#pragma once
// The two heights of the main window and the two help links. Expanded, the sensor
// panel and the read-out box show; reduced, only the picture and the button bar.
#include <functional>

#include "base/control.h"
#include "base/hook.h"
#include "base/services.h"

namespace miravela {

struct PaginasAyuda {
  QString inicio;
  QString video;
};
// Writes the program's own help pages into `carpeta` (kept up to date with this
// build) and returns where they are; empty paths when the folder cannot be written.
PaginasAyuda InstalarPaginasAyuda(const QString& carpeta);

struct EntornoVentana {
  Control& fraSensor;  // the sensor panel's frame
  Control& txtSensor;  // the read-out box of the frame loop's figures
  Hook<void(int alturaTwips)> fijarAltura;
  Services services;
  // What the two link labels open: the program's home page and its illustrated guide,
  // asked for on every click so they are written out only when wanted.
  Hook<PaginasAyuda()> paginas;
};

class ModoVentana {
 public:
  static constexpr int kAlturaExpandida = 8535;  // twips
  static constexpr int kAlturaReducida = 5340;

  explicit ModoVentana(EntornoVentana entorno);

  Control CmdVentana;  // caption "-" expanded, "+" reduced
  Control LblAyudaCam;

  // Other parts read the mode from the button's caption.
  bool Expandida() const { return CmdVentana.Caption == QLatin1String("-"); }
  void CmdVentana_Click();
  void CmdVentana_MouseMove(Control& lblAyuda) const;
  void LblAyuda_Click();
  void LblAyudaCam_Click();

 private:
  void Abrir(const QString& pagina);
  EntornoVentana e_;
};

}  // namespace miravela
