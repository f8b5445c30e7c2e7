// One frame-loop tick at camera sizes, and the comparison pass alone at its densest grid.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QTemporaryDir>
#include <vector>

#include "base/fake_clock.h"
#include "detect/comparacion.h"
#include "detect/frame_loop.h"
#include "detect/luz.h"
#include "support/synthetic_frame_source.h"

namespace miravela {
namespace {

class SinAutoajuste : public Autoajuste {
 public:
  bool Activo() const override { return false; }
  void Paso() override {}
  void Detener() override {}
};

class Entradas : public EntradasTick {
 public:
  int Movimiento() const override { return 45; }
  int ColorSensor() const override { return 35; }
  int Frecuencia() const override { return 500; }
  QString AlarmaElegida() const override { return QStringLiteral("Sirena"); }
  bool EscanerActivo() const override { return false; }
  bool VisionNocturna() const override { return noche; }
  std::uint8_t DivisorNoche() const override { return 30; }
  bool noche = false;
};

class Pantalla : public PantallaCifras {
 public:
  bool VentanaNormal() const override { return true; }
  bool VentanaExpandida() const override { return false; }
  QString TituloBase() const override { return QStringLiteral("Miravela"); }
  void FijarCaption(const QString& c) override { caption = c; }
  void FijarTxtSensor(const QString&) override {}
  QString caption;
};

// Alternates between frames made beforehand, so the benchmark measures the tick and
// not the making of pictures.
class Alternating : public FrameSource {
 public:
  explicit Alternating(std::vector<QImage> frames) : frames_(std::move(frames)) {}
  std::optional<QImage> Snap() override { return frames_[next_++ % frames_.size()]; }

 private:
  std::vector<QImage> frames_;
  std::size_t next_ = 0;
};

std::vector<QImage> MovingObjectFrames(QSize size) {
  SyntheticFrameSource source(size);
  source.SetNoise(2);
  source.AddObject(QRect(size.width() / 4, size.height() / 4, size.width() / 5, size.height() / 5), Rgb(240, 240, 240),
                   QPoint(size.width() / 10, 0));
  return {*source.Snap(), *source.Snap()};
}

struct Banco {
  explicit Banco(QSize frame)
      : zona({.boton = boton7,
              .etiqueta = etiqueta7,
              .preview = pictures.Picture1,
              .carpetaRecursos = dir.path(),
              .mensajes = mensajes,
              .autoajuste = autoajuste,
              .alarmaElegida = [] { return QStringLiteral("Sirena"); },
              .camaraConectada = [] { return true; }}),
        seguimiento({.preview = pictures.Picture1,
                     .zona = zona,
                     .boton = boton15,
                     .muestra = muestra,
                     .autoajuste = autoajuste}),
        camara(MovingObjectFrames(frame)),
        escaner({QImage()}),
        loop({.pictures = pictures,
              .parametros = parametros,
              .zona = zona,
              .seguimiento = seguimiento,
              .camara = camara,
              .escaner = escaner,
              .autoajuste = autoajuste,
              .entradas = entradas,
              .pantalla = pantalla,
              .tmrReloj = tmrReloj,
              .tmrSleep = tmrSleep,
              .tmrGuardar = tmrGuardar,
              .clock = clock,
              .numeroCamara = QStringLiteral("1"),
              .locale = QLocale::c()}) {
    pictures.Picture4.SetSizePixels(frame.width() + 4, frame.height() + 4);
    parametros = ParametrosDensidad(50, parametros);
  }
  void ZonaMitad() {
    zona.ActivarZona();
    for (int n = 1; n <= kCeldas; n += 2) zona.LblCelda_Click(n);
  }

  class Mensajes : public MessageBoxService {
   public:
    RespuestaMensaje Show(const QString&, const QString&, IconoMensaje, BotonesMensaje, RespuestaMensaje d) override {
      return d;
    }
  } mensajes;
  QTemporaryDir dir;
  FakeClock clock;
  SinAutoajuste autoajuste;
  Entradas entradas;
  Pantalla pantalla;
  Control boton7, etiqueta7, boton15, muestra;
  FormPictures pictures;
  ParametrosDeteccion parametros;
  ZonaVigilancia zona;
  SeguimientoObjeto seguimiento;
  Alternating camara;
  Alternating escaner;
  ModelTimer tmrReloj{clock, "TmrReloj", 500};
  ModelTimer tmrSleep{clock, "TmrSleep", 5000};
  ModelTimer tmrGuardar{clock, "TmrGuardar", 10};
  FrameLoop loop;
};

// Arguments: frame width, height, zone on, night vision on, light rejection on.
void BM_Tick(benchmark::State& state) {
  Banco banco(QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
  if (state.range(2)) banco.ZonaMitad();
  banco.entradas.noche = state.range(3) != 0;
  banco.parametros.RechazoLuz = state.range(4) ? kRechazoLuzPredeterminado : 0;
  for (auto _ : state) {
    banco.loop.TmrReloj_Timer();
    benchmark::DoNotOptimize(banco.loop.Resultados().Similitud);
  }
  state.counters["compared"] = banco.loop.Resultados().PuntosComparados;
  state.counters["changed"] = banco.loop.Resultados().PuntosCambiados;
}
BENCHMARK(BM_Tick)
    ->ArgNames({"w", "h", "zone", "night", "light"})
    ->Args({640, 480, 0, 0, 1})
    ->Args({640, 480, 1, 0, 1})
    ->Args({640, 480, 0, 1, 1})
    ->Args({1920, 1080, 0, 0, 0})
    ->Args({1920, 1080, 0, 0, 1})
    ->Args({1920, 1080, 1, 0, 1})
    ->Args({1920, 1080, 0, 1, 1})
    ->Args({1920, 1080, 1, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

// The comparison pass alone over 19 200 points; arguments: whether the pictures differ
// (the marks then need the preview's image copied back each time), and whether the
// light is evened out first.
void BM_Comparacion(benchmark::State& state) {
  PictureBox preview(15, 15, 324, 244), referencia(15, 15, 324, 244);
  const auto frames = MovingObjectFrames(QSize(324, 244));
  referencia.SetPicture(frames[0]);
  preview.SetPicture(frames[state.range(0) ? 1 : 0]);
  ParametrosDeteccion p = ParametrosDensidad(50, {});
  p.RechazoLuz = state.range(1) ? kRechazoLuzPredeterminado : 0;
  std::int32_t comparados = 0, cambiados = 0;
  for (auto _ : state) {
    preview.Cls();
    const ResultadoComparacion r = CompararImagenes(preview, referencia, p, UmbralColor(35), nullptr);
    comparados = r.PuntosComparados;
    cambiados = r.PuntosCambiados;
    benchmark::DoNotOptimize(r.Similitud);
  }
  state.counters["compared"] = comparados;
  state.counters["changed"] = cambiados;
}
BENCHMARK(BM_Comparacion)
    ->ArgNames({"differ", "light"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace miravela

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
