// Encoder speed, size and picture quality at quality 75, no chroma subsampling,
// float DCT, on every .ppm picture of a folder, for one encoder per run:
//   bench_jpeg MODE IMAGE_DIR [REPS]
// MODE: ours | libjpeg (optimised tables, as a program calls it: a compressor and an
// output buffer per picture) | libjpeg-fixed (the same with the fixed tables).
// Prints "name median_cpu_ms bytes psnr_db" per picture. Each mode runs in its own
// process so that one encoder's use of the heap does not change another's;
// bench_jpeg.sh runs them all, with and without the allocator settings, and prints
// the ratios.
// clang-format off
#include <cstdio>  // before jpeglib.h, which needs FILE and size_t
#include <jpeglib.h>
// clang-format on

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "alarm/jpeg/jpeg_encoder.h"

namespace {

using Bytes = std::vector<unsigned char>;

// As a program calls libjpeg-turbo: a compressor and an output buffer per picture.
void LibjpegEncode(const QImage& rgb, bool optimise, const miravela::cJpeg& tables, Bytes* result) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = static_cast<JDIMENSION>(rgb.width());
  cinfo.image_height = static_cast<JDIMENSION>(rgb.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 75, TRUE);
  // Our quality rule rounds halves to even where libjpeg-turbo's truncates, so give
  // it the very tables ours writes: the comparison is then between the encoders.
  for (int t = 0; t < 2; ++t) {
    unsigned int natural[64];
    for (int k = 0; k < 64; ++k) natural[miravela::jpeg::kZigzagToNatural[k]] = tables.ScaledTable(t)[k];
    jpeg_add_quant_table(&cinfo, t, natural, 100, TRUE);
  }
  cinfo.optimize_coding = optimise ? TRUE : FALSE;
  cinfo.dct_method = JDCT_FLOAT;
  for (int c = 0; c < 3; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  if (result) result->assign(buffer, buffer + size);
  free(buffer);
  jpeg_destroy_compress(&cinfo);
}

// Processor time of this process (user and system, so page faults count too), in
// milliseconds: on a machine shared with other work it is steadier than the wall clock.
double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Median processor time of `reps` calls, in milliseconds, after one call not timed.
template <typename F>
double MedianMs(int reps, F&& f) {
  f();
  std::vector<double> times;
  for (int i = 0; i < reps; ++i) {
    const double start = CpuMs();
    f();
    times.push_back(CpuMs() - start);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

double Psnr(const QImage& source, const Bytes& file) {
  QImage decoded;
  decoded.loadFromData(file.data(), static_cast<int>(file.size()), "JPG");
  decoded = decoded.convertToFormat(QImage::Format_RGB888);
  double se = 0;
  for (int y = 0; y < source.height(); ++y) {
    const uchar* a = source.constScanLine(y);
    const uchar* b = decoded.constScanLine(y);
    for (int x = 0; x < 3 * source.width(); ++x) se += (a[x] - b[x]) * double(a[x] - b[x]);
  }
  const double mse = se / (3.0 * source.width() * source.height());
  return 10 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const std::string mode = argc > 1 ? argv[1] : "";
  if (argc < 3 || (mode != "ours" && mode != "libjpeg" && mode != "libjpeg-fixed")) {
    std::fprintf(stderr, "usage: %s ours|libjpeg|libjpeg-fixed IMAGE_DIR [REPS]\n", argv[0]);
    return 2;
  }
  const int reps = argc > 3 ? std::max(1, std::atoi(argv[3])) : 9;
  const QDir dir(QString::fromLocal8Bit(argv[2]));
  miravela::cJpeg jpeg;
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  jpeg.SetQuality(75);
  for (const QString& name : dir.entryList({"*.ppm"}, QDir::Files, QDir::Name)) {
    const QImage rgb = QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull()) continue;
    double ms = 0;
    Bytes file;
    if (mode == "ours") {
      ms = MedianMs(reps, [&] {
        jpeg.SampleHDC(rgb, rgb.width(), rgb.height());
        jpeg.Encode();
      });
      const auto span = jpeg.Encode();
      file.assign(span.begin(), span.end());
    } else {
      const bool optimise = mode == "libjpeg";
      ms = MedianMs(reps, [&] { LibjpegEncode(rgb, optimise, jpeg, nullptr); });
      LibjpegEncode(rgb, optimise, jpeg, &file);
    }
    std::printf("%s %.3f %zu %.4f\n", qPrintable(name), ms, file.size(), Psnr(rgb, file));
    std::fflush(stdout);
  }
  return 0;
}
