#include "panel/atajos_teclado.h"

#include <QFileInfo>

#include "base/folders.h"

namespace miravela {

namespace {

AccionTecla Boton(int index) { return {Atajo::PulsarBoton, index}; }

AccionTecla TeclaFuncion(int tecla) {
  switch (tecla) {
    case kTeclaF1:
      return {Atajo::AbrirLeame};
    case kTeclaF1 + 1:
    case kTeclaF1 + 2:
    case kTeclaF1 + 3:
      return Boton(tecla - 111 + 7);  // F2..F4: the companion cameras C2..C4
    case kTeclaF1 + 8:
      return {Atajo::ConectarCamara};
    case kTeclaF1 + 9:
      return Boton(1);
    case kTeclaF1 + 10:
      return Boton(2);
    case kTeclaF12:
      return {Atajo::AlternarAlarma};
    default:
      return {};
  }
}

AccionTecla LetraConShift(char letra) {
  switch (letra) {
    case 'A':
      return {Atajo::Autoajuste};
    case 'E':
      return {Atajo::Escaner};
    case 'N':
      return {Atajo::VisionNocturna};
    case 'S':
      return {Atajo::Suspender};
    case 'R':
      return {Atajo::TamanoVentana};
    case 'I':
      return Boton(1);
    case 'D':
      return {Atajo::ImagenesDelDia};
    case 'U':
      return {Atajo::UltimaImagen};
    case 'L':
      return {Atajo::CarpetaAlarmas};
    case 'O':
      return {Atajo::CarpetaSonidos};
    case 'F':
      return {Atajo::CarpetaFondos};
    case 'P':
      return {Atajo::Plugin};
    default:
      return {};
  }
}

}  // namespace

AccionTecla BuscarAtajo(int tecla, int mascara) {
  if (tecla >= kTeclaF1 && tecla <= kTeclaF12) return TeclaFuncion(tecla);
  if (tecla < 'A' || tecla > 'Z') return {};
  if (mascara == kShift) return LetraConShift(static_cast<char>(tecla));
  if (mascara == kCtrl + kAlt && tecla == 'C') return {Atajo::AbrirConfiguracion};
  return {};
}

void AtajosTeclado::Form_KeyDown(int tecla, int mascara) { Ejecutar(BuscarAtajo(tecla, mascara)); }

void AtajosTeclado::Ejecutar(const AccionTecla& accion) {
  ButtonBar& bar = e_.botones;
  switch (accion.atajo) {
    case Atajo::Ninguno:
      return;
    case Atajo::AbrirLeame:
      return AbrirMinimizado(e_.leame);
    case Atajo::PulsarBoton:
      return bar.PctBoton_Click(accion.boton);
    case Atajo::ConectarCamara:
      if (bar.PctBoton[0].Enabled) bar.PctBoton_Click(0);
      return;
    case Atajo::AlternarAlarma:
      return bar.PctBoton_Click(bar.PctBoton[3].Visible ? 3 : 4);
    case Atajo::Autoajuste:
      return e_.autoajuste();
    case Atajo::Escaner:
      return e_.escaner();
    case Atajo::VisionNocturna:
      return e_.visionNocturna();
    case Atajo::Suspender:
      return e_.suspender();
    case Atajo::TamanoVentana:
      return e_.tamanoVentana();
    case Atajo::ImagenesDelDia:
      return ImagenesDelDia();
    case Atajo::UltimaImagen:
      return UltimaImagen();
    case Atajo::CarpetaAlarmas:
      return AbrirCarpeta(e_.carpetaAlarmas());
    case Atajo::CarpetaSonidos:
      return AbrirCarpeta(e_.carpetaSonidos());
    case Atajo::CarpetaFondos:
      return AbrirCarpeta(e_.carpetaFondos());
    case Atajo::AbrirConfiguracion:
      return AbrirMinimizado(e_.configuracion);
    case Atajo::Plugin:
      return EjecutarPlugin();
  }
}

// Folders and documents go to the desktop's own application as one argument, so a
// name with blanks, quotes or semicolons is only ever a name.
void AtajosTeclado::AbrirCarpeta(const QString& carpeta) { AbrirMinimizado(carpeta); }

void AtajosTeclado::AbrirMinimizado(const QString& archivo) {
  e_.services.window.Minimize();
  e_.services.launcher.OpenWithDefault(archivo);
}

void AtajosTeclado::ImagenesDelDia() {
  const QString dia = e_.carpetaDia().trimmed();
  const QString carpeta = e_.carpetaImagenes() + '/' + dia;
  // Before the first photograph there is no day folder; the bare images folder is not it.
  if (!dia.isEmpty() && ExisteCarpeta(carpeta)) return AbrirCarpeta(carpeta);
  e_.botones.PctBoton_Click(1);
  e_.services.beeper.Beep();
}

void AtajosTeclado::UltimaImagen() {
  const QString foto = e_.ultimaFoto();
  if (!foto.isEmpty() && Existe(foto)) {
    e_.services.launcher.OpenWithDefault(foto);
    return;
  }
  e_.botones.PctBoton_Click(1);
  e_.services.beeper.Beep();
}

void AtajosTeclado::EjecutarPlugin() {
  const QString plugin = e_.plugin();
  if (plugin.isEmpty()) return e_.services.beeper.Beep();
  // A name without a folder is looked for in the program folder, where the program runs.
  const qsizetype barra = std::max(plugin.lastIndexOf('/'), plugin.lastIndexOf('\\'));
  const QString carpeta = barra < 0 ? e_.carpetaPrograma : plugin.left(barra);
  const QString ruta = barra < 0 ? e_.carpetaPrograma + '/' + plugin : plugin;
  if (!Existe(ruta)) {
    e_.services.messages.Show(QString::fromUtf8("No se puede encontrar la aplicación \"") + plugin +
                                  QString::fromUtf8("\". La carpeta o el archivo ya no existen."),
                              "Miravela - Imposible Ejecutar", IconoMensaje::Exclamacion, BotonesMensaje::Aceptar);
    return;
  }
  e_.services.window.Minimize();
  // A program runs from its own folder; a document opens in the application meant for it.
  if (QFileInfo(ruta).isExecutable())
    e_.services.launcher.StartDetached(ruta, {}, carpeta.isEmpty() ? QStringLiteral("/") : carpeta);
  else
    e_.services.launcher.OpenWithDefault(ruta);
}

}  // namespace miravela
