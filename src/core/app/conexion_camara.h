#pragma once
// Choosing the camera, remembering the choice, and the connect and disconnect
// sequences of button 0.
#include <functional>

#include "base/control.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "base/picture_box.h"
#include "base/program_folder.h"
#include "base/services.h"
#include "capture/camera_control.h"
#include "panel/button_bar.h"

namespace miravela {

class ConexionCamara {
 public:
  struct Entorno {
    CameraControl& camara;
    const ProgramFolder& programa;
    Services services;
    ButtonBar& botones;
    PictureBox& picture3;
    ModelTimer& tmrReloj;
    ModelTimer& tmrSleep;
    ModelTimer& tmrSuspender;
    Hook<void()> limpiarImagenes;  // clears Picture1 and Picture4
    Hook<bool()> escanerActivo;    // the screen capturer watches instead of a camera
    Hook<void()> mostrarListaAlarmas;
    Hook<void()> ocultarListaAlarmas;
    Hook<void()> cancelarSuspension;
    Hook<void()> apagarVisionNocturna;
    Hook<void()> restaurarTitulo;  // the read-out and the normal window title
  };

  explicit ConexionCamara(Entorno entorno);

  ComboBox CboDriver;

  void CargarCamaras();
  void GuardarCamara();
  void ConectarCamara();
  void DesconectarCamara();
  // Button 0: connects when the frame loop and the suspension are stopped, else disconnects.
  void Boton0_Click();
  void CboDriver_DropDown();
  bool Conectada() const;

 private:
  void Conectar();
  void Desconectar();
  QString ArchivoCamara() const;
  Entorno e_;
};

}  // namespace miravela
