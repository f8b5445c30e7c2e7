#pragma once
// The keyboard of the main window: function keys press buttons of the bar, Shift with
// a letter switches features or opens the program's folders, Ctrl+Alt+C opens the
// configuration file. Everything else is ignored.
#include <QString>

#include "base/hook.h"
#include "base/services.h"
#include "panel/button_bar.h"

namespace miravela {

// Key codes as the window reports them: letters 65..90, F1..F12 112..123.
inline constexpr int kTeclaF1 = 112;
inline constexpr int kTeclaF12 = 123;
// Modifier mask, summed.
inline constexpr int kShift = 1;
inline constexpr int kCtrl = 2;
inline constexpr int kAlt = 4;

enum class Atajo {
  Ninguno,
  AbrirLeame,
  PulsarBoton,  // the button index comes with it
  ConectarCamara,
  AlternarAlarma,
  Autoajuste,
  Escaner,
  VisionNocturna,
  Suspender,
  TamanoVentana,
  ImagenesDelDia,
  UltimaImagen,
  CarpetaAlarmas,
  CarpetaSonidos,
  CarpetaFondos,
  AbrirConfiguracion,
  Plugin,
};

struct AccionTecla {
  Atajo atajo = Atajo::Ninguno;
  int boton = -1;
  bool operator==(const AccionTecla&) const = default;
};

// The shortcut table: a letter needs exactly its modifier mask (Shift+Ctrl+A is not
// Shift+A); function keys match whatever modifiers are held.
AccionTecla BuscarAtajo(int tecla, int mascara);

struct EntornoAtajos {
  ButtonBar& botones;
  Services services;
  // Feature buttons that live outside the bar.
  Hook<void()> autoajuste;
  Hook<void()> escaner;
  Hook<void()> visionNocturna;
  Hook<void()> suspender;
  Hook<void()> tamanoVentana;
  // Folders and files, read when the key is pressed since the user may move them.
  Hook<QString()> carpetaImagenes;
  Hook<QString()> carpetaDia;  // empty until the first photograph
  Hook<QString()> ultimaFoto;
  Hook<QString()> carpetaAlarmas;
  Hook<QString()> carpetaSonidos;
  Hook<QString()> carpetaFondos;
  Hook<QString()> plugin;
  QString carpetaPrograma = {};  // working folder of a plug-in named without a folder
  QString leame = {};            // the read-me, full path
  QString configuracion = {};    // the INI, full path
};

class AtajosTeclado {
 public:
  explicit AtajosTeclado(EntornoAtajos entorno) : e_(std::move(entorno)) {}

  void Form_KeyDown(int tecla, int mascara);
  void EjecutarPlugin();

 private:
  void Ejecutar(const AccionTecla& accion);
  void AbrirCarpeta(const QString& carpeta);
  void AbrirMinimizado(const QString& archivo);
  void ImagenesDelDia();
  void UltimaImagen();
  EntornoAtajos e_;
};

}  // namespace miravela
