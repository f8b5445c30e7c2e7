#pragma once
// The sensors and image modes put together: the sensor panel, auto-adjust, night
// vision, the screen capturer with its frame window, and the two settings files SNR
// and NCH. The main window composes one of these and plugs it into the button bar,
// the frame loop and its start-up and shut-down.
#include <QLocale>
#include <memory>

#include "base/entradas_tick.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "base/parametros_deteccion.h"
#include "base/picture_box.h"
#include "base/services.h"
#include "sensors/archivo_sensores.h"
#include "sensors/autoajuste_sensores.h"
#include "sensors/capturador_pantalla.h"
#include "sensors/marco_captura.h"
#include "sensors/panel_sensores.h"
#include "sensors/screen_grabber.h"
#include "sensors/vision_nocturna.h"

namespace miravela {

struct EntornoSensores {
  Clock& clock;
  Services services;
  ScreenGrabber& grabber;
  ParametrosDeteccion& parametros;
  PictureBox& picture4;
  ModelTimer& tmrReloj;
  ModelTimer& tmrSleep;
  Control& lblAyuda;
  Botonera& botones;
  QString carpetaRecursos;  // where Miravela.SNR, .NCH and .PES live
  Hook<QString()> carpetaVoz;
  Hook<void(const QString&)> reproducirSonido;
  Hook<std::int16_t()> similitud;  // Similitud of the last tick
  Hook<void()> esconderBotones;
  EstadosVentana estados;  // estadoInicio and the states SNR restores elsewhere
  QLocale locale = QLocale();
  // Leave empty for the real clock-seeded draw; tests give a fixed sequence.
  Hook<double()> aleatorio;
};

class Sensores {
 public:
  explicit Sensores(EntornoSensores entorno);

  Control CmdNoche;
  PanelSensores panel;
  MarcoCaptura marco;  // Form4
  VisionNocturna noche;
  AutoajusteSensores autoajuste;
  CapturadorPantalla escaner;
  ArchivoSensores archivo;

  // Start-up and shut-down steps.
  void CargarSensores() { archivo.CargarSensores(); }
  void GuardarSensores() const { archivo.GuardarSensores(); }
  void CargarVisionNocturna() { noche.CargarVisionNocturna(); }
  void GuardarVisionNocturna() const { noche.GuardarVisionNocturna(); }
  void ApagarEscaner() { escaner.ApagarAlCerrar(); }

  // The disconnect sequence of button 0 switches night vision off.
  void CamaraDesconectada() { noche.Desconectar(); }
};

// What a frame-loop tick reads from the sensors; the alarm-sound list is the sound
// subsystem's, so its text comes through `alarmaElegida`.
class EntradasSensores : public EntradasTick {
 public:
  EntradasSensores(const Sensores& sensores, Hook<QString()> alarmaElegida)
      : s_(sensores), alarmaElegida_(std::move(alarmaElegida)) {}
  int Movimiento() const override;
  int ColorSensor() const override;
  int Frecuencia() const override;
  QString AlarmaElegida() const override { return alarmaElegida_(); }
  bool EscanerActivo() const override;
  bool VisionNocturna() const override;
  std::uint8_t DivisorNoche() const override;

 private:
  const Sensores& s_;
  Hook<QString()> alarmaElegida_;
};

}  // namespace miravela
