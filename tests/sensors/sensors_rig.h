#pragma once
// The sensors subsystem as the main window composes it, with a button bar whose
// buttons toggle their look the way the real actions do, and fakes for the rest.
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <vector>

#include "base/fake_clock.h"
#include "sensors/sensores.h"
#include "support/fakes.h"

namespace miravela::test {

// A desktop whose every pixel tells its own position.
class FakeGrabber : public ScreenGrabber {
 public:
  static QRgb Pixel(int x, int y) { return qRgb(x % 256, y % 256, (x / 256) * 16 + y / 256); }
  int desplazamiento = 0;  // moves the whole desktop picture to the right
  bool PuedeLeerPantalla() const override { return legible; }
  std::optional<QImage> Grab(const QRect& rect) override {
    pedidos.push_back(rect);
    QImage image(rect.size(), QImage::Format_RGB32);
    for (int y = 0; y < rect.height(); ++y)
      for (int x = 0; x < rect.width(); ++x) image.setPixel(x, y, Pixel(rect.x() + x - desplazamiento, rect.y() + y));
    return image;
  }
  bool legible = true;
  std::vector<QRect> pedidos;
};

// A bar whose buttons toggle their look the way the real actions do.
class RigBotonera : public Botonera {
 public:
  RigBotonera(std::array<Control, 16>& botones, std::function<void(int)> click)
      : botones_(botones), click_(std::move(click)) {}
  Control& Boton(int i) const override { return botones_.at(static_cast<std::size_t>(i)); }
  void Click(int i) override { click_(i); }

 private:
  std::array<Control, 16>& botones_;
  std::function<void(int)> click_;
};

struct SensorsRig {
  // `dir` holds the settings files; a second rig given the same folder reads them.
  // A real grabber may stand in for the fake desktop.
  explicit SensorsRig(QString carpeta = {}, ScreenGrabber* grabberReal = nullptr);

  void PulsarBoton(int index);  // what the fake button actions do
  QString Recursos() const { return carpeta; }

  QTemporaryDir dir;
  QString carpeta;
  FakeClock clock;
  FakeServices fakes;
  FakeGrabber grabber;
  ParametrosDeteccion parametros;
  FormPictures pictures;
  PictureBox& picture4 = pictures.Picture4;
  ModelTimer tmrReloj{clock, "TmrReloj", 500};
  ModelTimer tmrSleep{clock, "TmrSleep", 5000};
  Control lblAyuda;
  std::array<Control, 16> botones;
  RigBotonera botonera{botones, [this](int i) { PulsarBoton(i); }};
  std::vector<int> clicks;
  std::vector<QString> pasos;  // the other subsystems' restore steps, in order
  std::vector<QString> sonidos;
  std::deque<double> aleatorios;
  std::int16_t similitud = 100;
  std::function<std::int16_t()> fuenteSimilitud;  // when set, read instead of `similitud`
  int estadoInicio = kEstadoEnMarcha;
  bool reducida = false, inversa = false;
  int escondidos = 0;
  std::unique_ptr<Sensores> s;
};

}  // namespace miravela::test
