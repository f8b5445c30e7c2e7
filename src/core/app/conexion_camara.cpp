#include "app/conexion_camara.h"

#include "base/registro_ajustes.h"

namespace miravela {

ConexionCamara::ConexionCamara(Entorno entorno) : e_(std::move(entorno)) {}

QString ConexionCamara::ArchivoCamara() const { return e_.programa.Ruta("Recursos/Miravela.WCM"); }

bool ConexionCamara::Conectada() const { return e_.tmrReloj.Enabled(); }

void ConexionCamara::CargarCamaras() {
  CboDriver.List = e_.camara.LoadCamera();
  CboDriver.ListIndex = -1;
  if (CboDriver.List.isEmpty()) e_.services.beeper.Beep();
  if (const auto registros = LeerRegistros(ArchivoCamara(), 1)) {
    // The index goes back through the entry's text, so of two cameras with one name
    // the first is chosen.
    const int index = registros->front().Campo5;
    if (index >= 0 && index < CboDriver.List.size()) CboDriver.SetText(CboDriver.List[index]);
  }
  if (CboDriver.Text().isEmpty() && !CboDriver.List.isEmpty()) CboDriver.SetText(CboDriver.List[0]);
}

void ConexionCamara::GuardarCamara() {
  RegistroAjustes r;
  r.Campo5 = CboDriver.ListIndex;
  EscribirRegistros(ArchivoCamara(), {r});
}

// One start is enough with this back end: the list is refreshed first, so the camera
// that runs is the selected one of a fresh enumeration.
void ConexionCamara::ConectarCamara() {
  DesconectarCamara();
  CargarCamaras();
  e_.picture3.Visible = false;
  e_.camara.StartCamera(CboDriver.ListIndex, CboDriver.Text());
}

void ConexionCamara::DesconectarCamara() {
  e_.limpiarImagenes();
  e_.camara.StopCamera();
  e_.picture3.Visible = true;
}

void ConexionCamara::CboDriver_DropDown() {
  CboDriver.BackColor = kColorResaltado;
  e_.botones.LblAyuda.ForeColor = kAyudaActiva;
  e_.botones.LblAyuda.Caption = QString::fromUtf8("Cámaras Web Disponibles");
}

void ConexionCamara::Boton0_Click() {
  if (e_.tmrReloj.Enabled() || e_.tmrSuspender.Enabled())
    Desconectar();
  else
    Conectar();
}

void ConexionCamara::Conectar() {
  const bool escaner = e_.escanerActivo && e_.escanerActivo();
  if (!escaner && (CboDriver.List.isEmpty() || CboDriver.ListIndex < 0 || CboDriver.Text().isEmpty())) {
    e_.botones.PctBoton[kBotonCamara].BackColor = kColorReposo;
    CboDriver_DropDown();
    e_.services.messages.Show(
        QString::fromUtf8("No se encontró ninguna cámara Web disponible. Por favor instale los drivers de la "
                          "cámara Web y ejecute nuevamente el programa."),
        "Miravela - Imposible Conectar", IconoMensaje::Exclamacion, BotonesMensaje::Aceptar);
    return;
  }
  e_.mostrarListaAlarmas();
  if (!escaner) {
    GuardarCamara();
    ConectarCamara();
  } else {
    e_.picture3.Visible = false;
  }
  e_.tmrReloj.SetEnabled(true);
  e_.tmrSleep.SetEnabled(true);
  e_.botones.SetPulsado(0, true);
}

void ConexionCamara::Desconectar() {
  e_.cancelarSuspension();
  e_.apagarVisionNocturna();
  e_.tmrReloj.SetEnabled(false);
  e_.tmrSleep.SetEnabled(false);
  DesconectarCamara();
  CargarCamaras();
  e_.ocultarListaAlarmas();
  e_.botones.SetPulsado(0, false);
  e_.restaurarTitulo();
}

}  // namespace miravela
