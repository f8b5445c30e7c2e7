#pragma once
// The main window as a model: its named controls and state, the timers, and the
// subsystems it composes. Start-up and shut-down live in their own files.
#include <QImage>
#include <functional>

#include "base/configuracion.h"
#include "base/control.h"
#include "base/model_timer.h"
#include "base/program_folder.h"
#include "base/services.h"
#include "panel/button_bar.h"

namespace miravela {

inline constexpr int kEstadoAbandonado = -1;
inline constexpr int kEstadoEnMarcha = 28657;
inline constexpr int kEstadoCerrando = 0;

struct Form1Deps {
  Clock& clock;
  Services services;
  ProgramFolder programa;
  QString ejecutable;  // the program image, target of the desktop launcher
  // Whether the capture back end can be used at all; without it the program cannot
  // watch anything and ends at start-up.
  std::function<bool()> capturaDisponible;
};

// Steps of start-up and shut-down that belong to the subsystems. Each is called in
// its place of the sequence; a subsystem that is not wired in leaves it empty.
struct PasosSubsistemas {
  using Paso = std::function<void()>;
  // Start-up, in order.
  Paso CargarCamaras, CargarSensores, CargarVisionNocturna, CargarAlarmas, CargarEfectosSonido;
  // Shut-down, in order.
  Paso ApagarEscaner;  // switch the screen capturer off, leaving it recorded as on
  Paso CerrarMedios;
  Paso GuardarCamara, GuardarSensores, GuardarVisionNocturna, GuardarAlarma, GuardarEfectosSonido,
      GuardarZona, GuardarAlarmasZona, DesconectarCamara;
  // Whether the task scheduler is on and how many day folders it keeps.
  std::function<bool()> ProgramadorActivo = [] { return false; };
  std::function<int()> DiasGuardar = [] { return 0; };
};

class Form1 {
 public:
  explicit Form1(Form1Deps deps);

  // Window events.
  void Form_Load();
  // True cancels the close.
  bool Form_QueryUnload();
  void Form_Unload();
  void Form_Resize(bool estadoNormal);

  // Named steps of start-up and shut-down; the subsystems fill them in.
  void CargarPosicion();
  void GuardarPosicion();
  void CargarFondo();
  bool CrearLeame();
  void CrearAccesoDirecto();
  void AjustarBotonesCamara();
  // Plugs the bar's own commands in: folders, alarm arming, companion copies, cloud folder.
  void ConectarBotones();
  bool AlarmaArmada() const { return Botones.PctBoton[4].Visible; }

  // State.
  int EstadoInicio = 0;
  QString TituloBase;
  QString Caption;
  ProgramFolder programa;
  Configuracion config;
  ButtonBar Botones;
  Control Picture3;
  QImage Fondo;  // the slot's background picture, when it has one
  int PasoMuestra = 3;
  double SaltoMuestra = 3.0;

  // Window geometry in twips; the view reports its size and applies the position.
  int Left = 0, Top = 0, Width = 0, Height = 0;
  // The model has asked the program to end (start-up abandoned).
  bool Terminado = false;

  ModelTimer TmrReloj;
  ModelTimer TmrGuardar;
  ModelTimer TmrSleep;
  ModelTimer TmrMonitor;
  ModelTimer TmrSuspender;
  ModelTimer TmrEfectoSonido;

  PasosSubsistemas Subsistemas;

  // Each start-up and shut-down step reports its name here, so the order can be followed.
  std::function<void(const QString&)> OnPaso;

  Services& services() { return services_; }
  Clock& clock() { return clock_; }

 private:
  void Paso(const QString& nombre) {
    if (OnPaso) OnPaso(nombre);
  }
  void Paso(const QString& nombre, const PasosSubsistemas::Paso& accion) {
    Paso(nombre);
    if (accion) accion();
  }
  bool OtraInstanciaBloquea();
  void CrearCarpetasPrograma();
  void TerminarArranque();
  void EliminarImagenesAlCerrar();

  Clock& clock_;
  Services services_;
  QString ejecutable_;
  std::function<bool()> capturaDisponible_;
};

}  // namespace miravela
