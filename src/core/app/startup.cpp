// Start-up: from the window being created to the first frame being watched.
#include "app/form1.h"
#include "base/folders.h"
#include "base/version.h"
#include "detect/luz.h"
#include "journal/event_journal.h"

namespace miravela {

bool Form1::OtraInstanciaBloquea() {
  return !services_.lock.TryLock() && !Existe(programa.Ruta("Recursos/Miravela.RLD"));
}

void Form1::TerminarArranque() {
  EstadoInicio = kEstadoAbandonado;
  Terminado = true;
  services_.window.Close();
}

void Form1::CrearCarpetasPrograma() {
  QStringList carpetas = {QString::fromUtf8("Imágenes"), "Recursos"};
  if (programa.EsPrincipal())
    carpetas << "OLMiX"
             << "Alarmas"
             << "Fondos"
             << "Objetos"
             << "Objetos/C2"
             << "Objetos/C3"
             << "Objetos/C4"
             << "Sonidos";
  for (const QString& carpeta : carpetas) CrearCarpeta(programa.Ruta(carpeta));
}

void Form1::Form_Load() {
  Paso("ComprobarInstancia");
  if (OtraInstanciaBloquea()) return TerminarArranque();
  Paso("ComprobarCaptura");
  if (!capturaDisponible_()) return TerminarArranque();

  parametros.PasoMuestra = 3;
  parametros.SaltoMuestra = 3.0f;
  Paso("CrearCarpetas");
  CrearCarpetasPrograma();
  Paso("CargarConfiguracion");
  config = CargarConfiguracion(programa);
  parametros.RechazoLuz = LeerRechazoLuz(config.Opcionales);
  Paso("CargarCamaras", [this] { conexion_->CargarCamaras(); });
  Paso("CargarPosicion");
  CargarPosicion();
  Paso("CargarFondo");
  CargarFondo();
  Paso("CrearLeame");
  if (!CrearLeame()) return TerminarArranque();
  if (programa.EsPrincipal()) {
    Paso("CrearAccesoDirecto");
    CrearAccesoDirecto();
  }

  TituloBase =
      programa.EsPrincipal() ? NombreVersion() : NombreVersion() + QStringLiteral("  (C%1)").arg(programa.NumeroCamara);
  Caption = TituloBase;
  EstadoInicio = kEstadoEnMarcha;
  AnotarDiario(JournalEvent::Inicio);

  Paso("CargarSensores", [this] { sensores_->CargarSensores(); });
  Paso("CargarVisionNocturna", [this] { sensores_->CargarVisionNocturna(); });
  Paso("CargarAlarmas", Subsistemas.CargarAlarmas);
  Paso("CargarEfectosSonido", Subsistemas.CargarEfectosSonido);

  services_.window.SetTopmost();
  AjustarBotonesCamara();
  Botones.EsconderBotones();
}

void Form1::CargarFondo() {
  const QString archivo = config.CarpetaFondos + "/C" + programa.NumeroCamara + ".jpg";
  if (!Existe(archivo)) return;
  QImage picture(archivo);
  if (!picture.isNull()) Fondo = picture;
}

// The camera-slot buttons: a copy shows its own, disabled; the main program shows
// one per companion copy installed beside it, and its own when any is shown.
void Form1::AjustarBotonesCamara() {
  auto& botones = Botones.PctBoton;
  if (!programa.EsPrincipal()) {
    const int index = BotonDeSlot(programa.NumeroCamara.toInt());
    if (index < kBotonSlot1 || index > kBotonSlot5) return;
    auto& propio = botones[static_cast<std::size_t>(index)];
    propio.Visible = true;
    propio.BackColor = kColorResaltado;
    propio.Enabled = false;
    return;
  }
  bool alguna = false;
  for (int slot = 2; slot <= 4; ++slot) {
    const bool instalada = Existe(programa.Ruta(QStringLiteral("Objetos/C%1/Miravela").arg(slot)));
    if (instalada) botones[static_cast<std::size_t>(BotonDeSlot(slot))].Visible = true;
    alguna = alguna || instalada;
  }
  if (alguna) botones[kBotonSlot1].Visible = true;
}

}  // namespace miravela
