#pragma once
// The main window as a model: its named controls and state, the timers, and the
// subsystems it composes. Start-up, shut-down and the wiring live in their own files.
#include <QImage>
#include <functional>
#include <memory>

#include "alarm/grabador_fotos.h"
#include "alarm/jpeg_encoder.h"
#include "app/conexion_camara.h"
#include "base/configuracion.h"
#include "base/control.h"
#include "base/model_timer.h"
#include "base/picture_box.h"
#include "base/program_folder.h"
#include "base/services.h"
#include "capture/camera_control.h"
#include "detect/frame_loop.h"
#include "panel/button_bar.h"
#include "sensors/sensores.h"

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
  CameraControl& camara;
  ScreenGrabber& pantalla;  // the desktop, for the screen capturer
};

// Steps of start-up and shut-down that belong to subsystems wired in later. Each is
// called in its place of the sequence; one that is not wired in stays empty.
struct PasosSubsistemas {
  using Paso = std::function<void()>;
  // Start-up, in order.
  Paso CargarAlarmas, CargarEfectosSonido;
  // Shut-down, in order.
  Paso CerrarMedios;
  Paso GuardarAlarma, GuardarEfectosSonido;
  // Plays a sound of the program (voice clips, alarm sounds), never interrupting one that plays.
  std::function<void(const QString& nombre)> ReproducirSonido;
  // Whether the task scheduler is on and how many day folders it keeps.
  std::function<bool()> ProgramadorActivo = [] { return false; };
  std::function<int()> DiasGuardar = [] { return 365; };
  // Plays the alarm sound of the last alarm; false when the alarm list is empty.
  std::function<bool(const QString& archivo)> ReproducirAlarma = [](const QString&) { return false; };
};

class Form1 {
 public:
  explicit Form1(Form1Deps deps);
  ~Form1();

  // Window events.
  void Form_Load();
  // True cancels the close.
  bool Form_QueryUnload();
  void Form_Unload();
  void Form_Resize(bool estadoNormal);

  // Named steps of start-up and shut-down.
  void CargarPosicion();
  void GuardarPosicion();
  void CargarFondo();
  bool CrearLeame();
  void CrearAccesoDirecto();
  void AjustarBotonesCamara();
  // Plugs the bar's own commands in: folders, alarm arming, companion copies, cloud folder.
  void ConectarBotones();
  bool AlarmaArmada() const { return Botones.PctBoton[4].Visible; }
  void TmrGuardar_Timer();

  // State.
  int EstadoInicio = 0;
  QString TituloBase;
  QString Caption;
  Control TxtSensor;  // the figures of the frame loop while the window is expanded
  ProgramFolder programa;
  Configuracion config;
  ButtonBar Botones;
  FormPictures pictures;
  QImage Fondo;  // the slot's background picture, when it has one

  // Window geometry in twips; the view reports its size and applies the position.
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool VentanaNormal = true;
  // The model has asked the program to end (start-up abandoned).
  bool Terminado = false;

  ModelTimer TmrReloj;
  ModelTimer TmrGuardar;
  ModelTimer TmrSleep;
  ModelTimer TmrMonitor;
  ModelTimer TmrSuspender;
  ModelTimer TmrEfectoSonido;

  // Detection, camera, photographs and sensors.
  ParametrosDeteccion parametros;
  Sensores& sensores() { return *sensores_; }
  ZonaVigilancia& zona() { return *zona_; }
  SeguimientoObjeto& seguimiento() { return *seguimiento_; }
  FrameLoop& bucle() { return *bucle_; }
  ConexionCamara& conexion() { return *conexion_; }
  GrabadorFotos& grabador() { return *grabador_; }
  CameraControl& camara() { return camara_; }

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
  void ConstruirSensores();
  void ConstruirSubsistemas();
  void ConstruirDeteccion();
  void ConstruirConexion();
  void ConstruirGrabador();
  void ConectarVigilancia();
  bool OtraInstanciaBloquea();
  void CrearCarpetasPrograma();
  void TerminarArranque();

  Clock& clock_;
  Services services_;
  QString ejecutable_;
  std::function<bool()> capturaDisponible_;
  CameraControl& camara_;
  ScreenGrabber& pantalla_;
  std::unique_ptr<Sensores> sensores_;
  struct Piezas;  // the sensor stand-ins and frame sources the subsystems are built on
  std::unique_ptr<Piezas> piezas_;
  std::unique_ptr<ZonaVigilancia> zona_;
  std::unique_ptr<SeguimientoObjeto> seguimiento_;
  std::unique_ptr<FrameLoop> bucle_;
  std::unique_ptr<ConexionCamara> conexion_;
  std::unique_ptr<GrabadorFotos> grabador_;
  cJpeg jpeg_;  // kept, so its buffers serve every photograph
};

}  // namespace miravela
