#pragma once
// The motion-detection subsystem put together as the main window puts it, with
// fakes for what lies outside it.
#include <QTemporaryDir>
#include <memory>

#include "base/fake_clock.h"
#include "detect/frame_loop.h"
#include "support/fakes.h"
#include "support/synthetic_frame_source.h"

namespace miravela::test {

class FakeAutoajuste : public Autoajuste {
 public:
  bool Activo() const override { return activo; }
  void Paso() override { ++pasos; }
  void Detener() override {
    activo = false;
    ++detenciones;
  }
  bool activo = false;
  int pasos = 0, detenciones = 0;
};

class FakeEntradas : public EntradasTick {
 public:
  int Movimiento() const override { return movimiento; }
  int ColorSensor() const override { return color; }
  int Frecuencia() const override { return frecuencia; }
  QString AlarmaElegida() const override { return alarma; }
  bool EscanerActivo() const override { return escaner; }
  bool VisionNocturna() const override { return noche; }
  std::uint8_t DivisorNoche() const override { return divisor; }
  int movimiento = 45, color = 35, frecuencia = 500;
  QString alarma = QStringLiteral("Sirena");
  bool escaner = false, noche = false;
  std::uint8_t divisor = 30;
};

class FakePantalla : public PantallaCifras {
 public:
  bool VentanaNormal() const override { return normal; }
  bool VentanaExpandida() const override { return expandida; }
  QString TituloBase() const override { return titulo; }
  void FijarCaption(const QString& c) override { caption = c; }
  void FijarTxtSensor(const QString& t) override { txtSensor = t; }
  bool normal = true, expandida = false;
  QString titulo = QStringLiteral("Miravela 11.23"), caption, txtSensor;
};

// Button 7 (zone), button 15 (tracking), the zone figure label, the swatch and the
// sensor labels are the window's controls; here they are plain members.
struct DetectRig {
  explicit DetectRig(QSize frame = QSize(640, 480));
  // Runs one tick as the timer would.
  void Tick() { loop->TmrReloj_Timer(); }
  QString Recursos() const { return dir.path(); }

  QTemporaryDir dir;
  FakeClock clock;
  FakeMessages mensajes;
  FakeAutoajuste autoajuste;
  FakeEntradas entradas;
  FakePantalla pantalla;
  Control boton0, boton7, boton15, lblSensor7, muestra;
  std::array<Control, 4> etiquetasSensor;
  bool slidersEnabled = true;
  FormPictures pictures;
  ParametrosDeteccion parametros;
  SyntheticFrameSource camara;
  SyntheticFrameSource escaner;
  ModelTimer tmrReloj{clock, "TmrReloj", 500};
  ModelTimer tmrSleep{clock, "TmrSleep", 5000};
  ModelTimer tmrGuardar{clock, "TmrGuardar", 10};
  std::unique_ptr<ZonaVigilancia> zona;
  std::unique_ptr<SeguimientoObjeto> seguimiento;
  std::unique_ptr<FrameLoop> loop;
};

}  // namespace miravela::test
