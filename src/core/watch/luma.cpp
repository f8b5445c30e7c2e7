#include "watch/luma.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace miravela {
namespace {

constexpr int kColumnas = 16;
constexpr int kFilas = 12;
constexpr int kMuestrasLado = 16;  // samples along each side of a cell, at most

int Luma(QRgb p) { return (77 * qRed(p) + 150 * qGreen(p) + 29 * qBlue(p)) >> 8; }

}  // namespace

LumaStats MeasureLuma(const QImage& frame) {
  if (frame.isNull()) return {};
  QImage image = frame;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image = image.convertToFormat(QImage::Format_RGB32);
  const int columns = std::min(kColumnas, image.width());
  const int rows = std::min(kFilas, image.height());
  std::vector<double> means;
  means.reserve(static_cast<std::size_t>(columns * rows));
  for (int row = 0; row < rows; ++row) {
    const int top = row * image.height() / rows, bottom = (row + 1) * image.height() / rows;
    const int stepY = std::max(1, (bottom - top) / kMuestrasLado);
    for (int column = 0; column < columns; ++column) {
      const int left = column * image.width() / columns, right = (column + 1) * image.width() / columns;
      const int stepX = std::max(1, (right - left) / kMuestrasLado);
      long sum = 0, count = 0;
      for (int y = top; y < bottom; y += stepY) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = left; x < right; x += stepX, ++count) sum += Luma(line[x]);
      }
      means.push_back(static_cast<double>(sum) / static_cast<double>(count));
    }
  }
  double mean = 0;
  for (double m : means) mean += m;
  mean /= static_cast<double>(means.size());
  double variance = 0;
  for (double m : means) variance += (m - mean) * (m - mean);
  variance /= static_cast<double>(means.size());
  return {mean, std::sqrt(variance)};
}

}  // namespace miravela
