#pragma once
// The frame loop: one tick of the main window's frame timer takes a frame, prepares
// the preview, analyses it, decides the alarm, shows the figures, hands the alarm to
// the photograph timer and keeps the frame as the next reference.
#include <QLocale>
#include <QString>
#include <cstdint>
#include <optional>

#include "base/autoajuste.h"
#include "base/entradas_tick.h"
#include "base/frame_source.h"
#include "base/model_timer.h"
#include "base/parametros_deteccion.h"
#include "base/picture_box.h"
#include "detect/seguimiento_objeto.h"
#include "detect/zona_vigilancia.h"

namespace miravela {

// Where the figures of a tick are shown.
class PantallaCifras {
 public:
  virtual ~PantallaCifras() = default;
  virtual bool VentanaNormal() const = 0;     // neither minimized nor maximized
  virtual bool VentanaExpandida() const = 0;  // sensor panel and read-out shown
  virtual QString TituloBase() const = 0;
  virtual void FijarCaption(const QString& caption) = 0;
  // The read-out box takes the text and is sized to it in the window's font.
  virtual void FijarTxtSensor(const QString& texto) = 0;
};

struct ResultadosTick {
  bool AlarmaActiva = false;
  std::int16_t Similitud = 100;
  std::int32_t PuntosCambiados = 0;
  std::int32_t PuntosComparados = 0;
  float PorcentajeObjeto = 0;
  QString SonidoAlarma;
};

// The texts of step 8: a caption, and the read-out text when the window is expanded.
struct TextosCifras {
  QString caption;
  std::optional<QString> txtSensor;
};
struct DatosCifras {
  bool ventanaNormal, ventanaExpandida, seguimiento;
  int movimiento;  // slider value + 50
  int similitud;
  float porcentajeObjeto;
  QString numeroCamara;
  QString tituloBase;
};
TextosCifras FormatoCifras(const DatosCifras& d, const QLocale& locale);

// The interval of the self-pacing settings after a tick that took `msTick`. Never
// below kIntervaloMinimo: a tick faster than the timer resolution of the desktop
// would otherwise halve the interval down to 0, which stops the timer.
inline constexpr int kIntervaloMinimo = 16;
int IntervaloVariable(std::int64_t msTick, int intervaloActual);

struct EntornoBucle {
  FormPictures& pictures;
  const ParametrosDeteccion& parametros;
  ZonaVigilancia& zona;
  SeguimientoObjeto& seguimiento;
  FrameSource& camara;
  FrameSource& escaner;
  Autoajuste& autoajuste;
  EntradasTick& entradas;
  PantallaCifras& pantalla;
  ModelTimer& tmrReloj;
  ModelTimer& tmrSleep;
  ModelTimer& tmrGuardar;
  Clock& clock;
  QString numeroCamara;  // "1".."5"
  QLocale locale = QLocale();
};

class FrameLoop {
 public:
  explicit FrameLoop(EntornoBucle entorno);

  void TmrReloj_Timer();
  const ResultadosTick& Resultados() const { return r_; }

 private:
  void GuardarInicio();
  void TomarImagen();
  void PrepararVista();
  void Analizar();
  void Seguir();
  void DetectarCambios();
  void MostrarCifras();
  void EntregarAlarma();
  void AjustarFrecuencia();
  float SegundosDesdeMedianoche() const;

  EntornoBucle e_;
  ResultadosTick r_;
  QImage instantanea_;  // the last snapshot, held as the form holds it
};

}  // namespace miravela
