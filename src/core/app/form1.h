#pragma once
// The main window as a model: its named controls and state, the timers, and the
// subsystems it composes. Start-up, shut-down and the wiring live in their own files.
#include <QImage>
#include <memory>

#include "alarm/grabador_fotos.h"
#include "app/conexion_camara.h"
#include "base/botones.h"
#include "base/configuracion.h"
#include "base/control.h"
#include "base/estado_inicio.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "base/picture_box.h"
#include "base/program_folder.h"
#include "base/services.h"
#include "capture/camera_control.h"
#include "detect/frame_loop.h"
#include "panel/button_bar.h"
#include "sensors/sensores.h"
#include "sound/silent_player.h"

namespace miravela {

struct Form1Deps {
  Clock& clock;
  Services services;
  ProgramFolder programa;
  QString ejecutable;  // the program image, target of the desktop launcher
  // Whether the capture back end can be used at all; without it the program cannot
  // watch anything and ends at start-up.
  Hook<bool()> capturaDisponible = [] { return true; };
  CameraControl& camara;
  ScreenGrabber& pantalla;  // the desktop, for the screen capturer
  // The sound device; without one the window is silent, as on a machine without sound.
  AudioPlayer* reproductor = nullptr;
};

// Steps of start-up and shut-down that belong to subsystems plugged in from outside
// the window. Each is called in its place of the sequence; one not plugged in does nothing.
struct PasosSubsistemas {
  using Paso = Hook<void()>;
  // Start-up, in order.
  Paso CargarAlarmas, CargarEfectosSonido;
  // Shut-down, in order.
  Paso CerrarMedios;
  Paso GuardarAlarma, GuardarEfectosSonido;
  // Plays a sound of the program (voice clips, alarm sounds), never interrupting one that plays.
  Hook<void(const QString& nombre)> ReproducirSonido;
  // Whether the task scheduler is on and how many day folders it keeps.
  Hook<bool()> ProgramadorActivo;
  Hook<int()> DiasGuardar = [] { return 365; };
  // The text of the alarm-sound list, which the zone cells store as their sound.
  Hook<QString()> AlarmaElegida;
  // Plays the alarm sound of the last alarm; false when the alarm list is empty.
  Hook<bool(const QString& archivo)> ReproducirAlarma;
};

class SubsistemaSonido;
class EventJournal;
enum class JournalEvent;

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
  bool AlarmaArmada() const { return Botones.PctBoton[kBotonDesactivarAlarma].Visible; }
  void TmrGuardar_Timer();
  // The read-out back to its saved copy (its tag) and the caption to the normal title,
  // once nothing is watched any more.
  void RestaurarLectura();

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
  SubsistemaSonido& sonido() { return *sonido_; }

  PasosSubsistemas Subsistemas;

  // Each start-up and shut-down step reports its name here, so the order can be followed.
  Hook<void(const QString&)> OnPaso;

  Services& services() { return services_; }
  Clock& clock() { return clock_; }

 private:
  void Paso(const QString& nombre) { OnPaso(nombre); }
  void Paso(const QString& nombre, const PasosSubsistemas::Paso& accion) {
    Paso(nombre);
    accion();
  }
  void ConstruirSensores();
  void ConstruirSonido(AudioPlayer& reproductor);
  void ConectarDiario();
  void AnotarDiario(JournalEvent evento);
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
  Hook<bool()> capturaDisponible_;
  CameraControl& camara_;
  ScreenGrabber& pantalla_;
  std::unique_ptr<Botonera> botonera_;  // the bar as the sensors see it
  std::unique_ptr<Sensores> sensores_;
  struct Piezas;  // the sensor stand-ins and frame sources the subsystems are built on
  std::unique_ptr<Piezas> piezas_;
  std::unique_ptr<ZonaVigilancia> zona_;
  std::unique_ptr<SeguimientoObjeto> seguimiento_;
  std::unique_ptr<FrameLoop> bucle_;
  std::unique_ptr<ConexionCamara> conexion_;
  std::unique_ptr<GrabadorFotos> grabador_;
  SilentPlayer silencio_;
  std::unique_ptr<SubsistemaSonido> sonido_;
  std::unique_ptr<EventJournal> diario_;
};

}  // namespace miravela
