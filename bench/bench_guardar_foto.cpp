// A whole photograph save (stamp, day folder, PICTMP.bmp, JPEG file) against the
// JPEG encode alone, on a 1920x1080 frame, in processor time of the process.
//   bench_guardar_foto [--benchmark_...] ; MIRAVELA_BENCH_IMAGE=picture.ppm picks the frame
// The last line gives the ratio save / encode (the aim: at most 1.5).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "alarm/grabador_fotos.h"
#include "alarm/jpeg/jpeg_encoder.h"
#include "base/fake_clock.h"

namespace miravela {
namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// A frame with the detail of a photograph: smooth shading, edges and fine texture.
QImage SyntheticFrame() {
  QImage frame(kWidth, kHeight, QImage::Format_RGB32);
  std::uint32_t noise = 12345;
  for (int y = 0; y < kHeight; ++y) {
    auto* row = reinterpret_cast<QRgb*>(frame.scanLine(y));
    for (int x = 0; x < kWidth; ++x) {
      noise = noise * 1664525u + 1013904223u;
      const int grain = static_cast<int>(noise >> 28) - 8;
      const int band = ((x / 97 + y / 61) % 3) * 40;
      const int r = std::clamp(x * 200 / kWidth + band + grain, 0, 255);
      const int g = std::clamp(y * 180 / kHeight + 30 + grain, 0, 255);
      const int b = std::clamp((x + y) * 120 / (kWidth + kHeight) + 90 - band / 2 + grain, 0, 255);
      row[x] = qRgb(r, g, b);
    }
  }
  return frame;
}

// The frame a camera would hand over: the picture named by MIRAVELA_BENCH_IMAGE at
// 1920x1080, or the synthetic one.
QImage Frame() {
  const QByteArray name = qgetenv("MIRAVELA_BENCH_IMAGE");
  if (!name.isEmpty()) {
    const QImage picture(QString::fromLocal8Bit(name));
    if (!picture.isNull())
      return picture.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
          .convertToFormat(QImage::Format_RGB32);
  }
  return SyntheticFrame();
}

const QImage& SharedFrame() {
  static const QImage frame = Frame();
  return frame;
}

// A recorder over a temporary program folder, as the main window wires it.
struct Recorder {
  QTemporaryDir dir;
  QString images = dir.path() + "/img", tag = "C1";
  std::uint8_t quality = 75;
  QImage canvas = SharedFrame();
  FakeClock clock{QDateTime(QDate(2026, 12, 10), QTime(12, 0, 0))};
  std::unique_ptr<GrabadorFotos> grabador;

  Recorder() {
    QDir().mkpath(images);
    QDir().mkpath(dir.path() + "/Recursos");
    grabador = std::make_unique<GrabadorFotos>(GrabadorFotos::Entorno{
        .clock = clock,
        .carpetaImagenes = images,
        .etiquetaCamara = tag,
        .calidadJpeg = quality,
        .archivoTemporal = dir.path() + "/Recursos/PICTMP.bmp",
        .lienzo = [this] { return canvas; },
        .fijarLienzo = [this](const QImage& stamped) { canvas = stamped; },
        .twipsPorPixel = [] { return 15.0; },
        .enMarcha = [] { return true; },
    });
  }
};

void BM_GuardarFoto(benchmark::State& state) {
  Recorder r;
  for (auto _ : state) {
    r.grabador->GuardarFoto();
    state.PauseTiming();
    // The encoder never overwrites; each photograph gets a new name anyway, but the
    // folder is kept small.
    if (!QFile::remove(r.grabador->UltimaFoto)) state.SkipWithError("no photograph was written");
    state.ResumeTiming();
  }
}

// The encode the save is measured against: sampling and coding the same frame into
// memory with the recorder's settings.
void BM_Encode(benchmark::State& state) {
  cJpeg jpeg;
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  jpeg.SetQuality(75);
  const QImage& frame = SharedFrame();
  for (auto _ : state) {
    jpeg.SampleHDC(frame, frame.width(), frame.height());
    benchmark::DoNotOptimize(jpeg.Encode().size());
  }
}

BENCHMARK(BM_GuardarFoto)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Repetitions(5);
BENCHMARK(BM_Encode)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond)->Repetitions(5);

// Prints as usual and keeps the median processor time of each benchmark.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
        medianCpu_[run.run_name.function_name] = run.GetAdjustedCPUTime();
  }
  double Median(const std::string& name) const {
    const auto it = medianCpu_.find(name);
    return it == medianCpu_.end() ? 0 : it->second;
  }

 private:
  std::map<std::string, double> medianCpu_;
};

}  // namespace
}  // namespace miravela

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // fonts for the stamp
  benchmark::Initialize(&argc, argv);
  miravela::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const double save = reporter.Median("BM_GuardarFoto"), encode = reporter.Median("BM_Encode");
  if (save > 0 && encode > 0)
    std::printf("GuardarFoto / encode at %dx%d (median processor time): %.2f\n", miravela::kWidth, miravela::kHeight,
                save / encode);
  benchmark::Shutdown();
  return 0;
}
