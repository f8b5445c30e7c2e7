// Encoder throughput, size and picture quality against libjpeg-turbo at the same
// settings (quality 75, no chroma subsampling, float DCT), on every .ppm picture of
// a folder. Prints one line per picture:
//   name ours_ms libjpeg_optimised_ms libjpeg_fixed_ms ours_bytes libjpeg_bytes ours_psnr libjpeg_psnr
// bench_jpeg.sh runs it with and without the allocator settings and turns the times
// into ratios.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>  // after <cstdio>: it needs FILE and size_t

#include "alarm/jpeg_encoder.h"

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<unsigned char>;

// As a program calls libjpeg-turbo: a compressor and an output buffer per picture.
Bytes LibjpegEncode(const QImage& rgb, bool optimise) {
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
  cinfo.optimize_coding = optimise ? TRUE : FALSE;
  cinfo.dct_method = JDCT_FLOAT;
  for (int c = 0; c < 3; ++c) cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<uchar*>(rgb.constScanLine(static_cast<int>(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  free(buffer);
  jpeg_destroy_compress(&cinfo);
  return out;
}

Bytes OursEncode(miravela::cJpeg& jpeg, const QImage& rgb) {
  jpeg.SampleHDC(rgb, rgb.width(), rgb.height());
  const auto span = jpeg.Encode();
  return Bytes(span.begin(), span.end());
}

// Median time of `runs` calls, in milliseconds.
template <typename F>
double MedianMs(int runs, F&& f) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    f();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
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
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s IMAGE_DIR [RUNS]\n", argv[0]);
    return 2;
  }
  const int runs = argc > 2 ? std::atoi(argv[2]) : 15;
  const QDir dir(QString::fromLocal8Bit(argv[1]));
  miravela::cJpeg jpeg;
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  jpeg.SetQuality(75);
  for (const QString& name : dir.entryList({"*.ppm"}, QDir::Files, QDir::Name)) {
    const QImage rgb = QImage(dir.filePath(name)).convertToFormat(QImage::Format_RGB888);
    if (rgb.isNull()) continue;
    const Bytes ours = OursEncode(jpeg, rgb);
    const Bytes theirs = LibjpegEncode(rgb, true);
    // Interleave the three so that a busy moment of the machine hits all alike.
    std::vector<double> t[3];
    for (int i = 0; i < runs; ++i) {
      t[0].push_back(MedianMs(1, [&] { OursEncode(jpeg, rgb); }));
      t[1].push_back(MedianMs(1, [&] { LibjpegEncode(rgb, true); }));
      t[2].push_back(MedianMs(1, [&] { LibjpegEncode(rgb, false); }));
    }
    double median[3];
    for (int k = 0; k < 3; ++k) {
      std::sort(t[k].begin(), t[k].end());
      median[k] = t[k][t[k].size() / 2];
    }
    std::printf("%s %.3f %.3f %.3f %zu %zu %.4f %.4f\n", qPrintable(name), median[0], median[1],
                median[2], ours.size(), theirs.size(), Psnr(rgb, ours), Psnr(rgb, theirs));
    std::fflush(stdout);
  }
  return 0;
}
