#include "alarm/jpeg_sampling.h"

#include <algorithm>
#include <cstring>

namespace miravela::jpeg {

namespace {

// Fixed-point tables, 16 fraction bits, of the JFIF matrix; the rounding half and
// the level shift are folded into the blue entries.
struct ColourTables {
  std::int32_t y[3][256], cb[3][256], cr[3][256];
  ColourTables() {
    const double kY[3] = {0.299, 0.587, 0.114};
    const double kCb[3] = {-0.16874, -0.33126, 0.5};
    const double kCr[3] = {0.5, -0.41869, -0.08131};
    for (int c = 0; c < 3; ++c)
      for (int v = 0; v < 256; ++v) {
        y[c][v] = Fixed(kY[c] * v);
        cb[c][v] = Fixed(kCb[c] * v);
        cr[c][v] = Fixed(kCr[c] * v);
      }
    for (int v = 0; v < 256; ++v) {
      y[2][v] += (1 << 15) - (128 << 16);
      cb[2][v] += 1 << 15;
      cr[2][v] += 1 << 15;
    }
  }
  static std::int32_t Fixed(double x) {
    return static_cast<std::int32_t>(x * 65536.0 + (x < 0 ? -0.5 : 0.5));
  }
};

const ColourTables& Tables() {
  static const ColourTables tables;
  return tables;
}

inline std::int8_t Clamp(std::int32_t fixed) {
  return static_cast<std::int8_t>(std::clamp(fixed >> 16, -128, 127));
}

inline std::int32_t Sum(const std::int32_t (&t)[3][256], int r, int g, int b) {
  return t[0][r] + t[1][g] + t[2][b];
}

// Byte order of a pixel: step between pixels and the offsets of red, green, blue.
struct PixelLayout {
  int step, red, green, blue;
};

bool LayoutOf(QImage::Format format, PixelLayout& layout) {
  switch (format) {
    case QImage::Format_RGB888: layout = {3, 0, 1, 2}; return true;
    case QImage::Format_BGR888: layout = {3, 2, 1, 0}; return true;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) layout = {4, 2, 1, 0};
      else layout = {4, 1, 2, 3};
      return true;
    default: return false;
  }
}

template <int Step, int R, int G, int B>
void RowToYCbCr(const uchar* px, int width, std::int8_t* y, std::int8_t* cb, std::int8_t* cr) {
  const ColourTables& t = Tables();
  for (int x = 0; x < width; ++x, px += Step) {
    const int r = px[R], g = px[G], b = px[B];
    y[x] = Clamp(Sum(t.y, r, g, b));
    cb[x] = Clamp(Sum(t.cb, r, g, b));
    cr[x] = Clamp(Sum(t.cr, r, g, b));
  }
}

template <int Step, int R, int G, int B>
void RowToOne(const uchar* px, int width, const std::int32_t (&t)[3][256], std::int8_t* out) {
  for (int x = 0; x < width; ++x, px += Step) out[x] = Clamp(Sum(t, px[R], px[G], px[B]));
}

const std::int32_t (&TableOf(ColourComponent kind))[3][256] {
  const ColourTables& t = Tables();
  return kind == ColourComponent::Y ? t.y : kind == ColourComponent::Cb ? t.cb : t.cr;
}

// Converts `image` (whose layout is known) into the given planes, all of the
// image's size. Three planes Y, Cb, Cr share one read of every pixel.
template <int Step, int R, int G, int B>
void ConvertTyped(const QImage& image, const std::vector<Plane*>& planes) {
  const int w = image.width(), h = image.height();
  const bool fused = planes.size() == 3 && planes[0]->kind == ColourComponent::Y &&
                     planes[1]->kind == ColourComponent::Cb && planes[2]->kind == ColourComponent::Cr;
  for (int yy = 0; yy < h; ++yy) {
    const uchar* px = image.constScanLine(yy);
    if (fused) {
      RowToYCbCr<Step, R, G, B>(px, w, planes[0]->Row(yy), planes[1]->Row(yy), planes[2]->Row(yy));
      continue;
    }
    for (Plane* p : planes)
      RowToOne<Step, R, G, B>(px, w, TableOf(p->kind), p->Row(yy));
  }
}

void Convert(const QImage& image, const PixelLayout& l, const std::vector<Plane*>& planes) {
  if (l.step == 3 && l.red == 0) ConvertTyped<3, 0, 1, 2>(image, planes);
  else if (l.step == 3) ConvertTyped<3, 2, 1, 0>(image, planes);
  else if (l.red == 2) ConvertTyped<4, 2, 1, 0>(image, planes);
  else ConvertTyped<4, 1, 2, 3>(image, planes);
}

// Repeats the last sample of each row and then the last row into the padding.
void PadEdges(Plane& p) {
  for (int y = 0; y < p.height; ++y) {
    std::int8_t* row = p.Row(y);
    std::memset(row + p.width, row[p.width - 1], static_cast<std::size_t>(p.paddedWidth - p.width));
  }
  const std::int8_t* last = p.Row(p.height - 1);
  for (int y = p.height; y < p.paddedHeight; ++y)
    std::memcpy(p.Row(y), last, static_cast<std::size_t>(p.paddedWidth));
}

// The rectangle as a picture in a layout the converter reads, without copying when
// the source already is one and holds the whole rectangle.
QImage Readable(const QImage& source, const QRect& area, PixelLayout& layout) {
  if (source.rect().contains(area) && LayoutOf(source.format(), layout)) {
    const int depth = source.depth() / 8;
    const uchar* origin = source.constScanLine(area.top()) + area.left() * depth;
    return QImage(origin, area.width(), area.height(), source.bytesPerLine(), source.format());
  }
  QImage copy = source.copy(area).convertToFormat(QImage::Format_RGB32);
  LayoutOf(copy.format(), layout);
  return copy;
}

}  // namespace

std::int8_t ColourSample(ColourComponent kind, int red, int green, int blue) {
  return Clamp(Sum(TableOf(kind), red, green, blue));
}

void SamplePlanes(const QImage& source, const QRect& area, std::vector<Plane>& planes) {
  PixelLayout layout{};
  const QImage pixels = Readable(source, area, layout);
  std::vector<Plane*> fullSize;
  for (Plane& p : planes) {
    p.samples.resize(static_cast<std::size_t>(p.paddedWidth) * p.paddedHeight);
    if (p.width == area.width() && p.height == area.height()) fullSize.push_back(&p);
  }
  if (!fullSize.empty()) Convert(pixels, layout, fullSize);
  for (Plane& p : planes) {
    if (p.width == area.width() && p.height == area.height()) continue;
    // A subsampled component is taken from a smoothed smaller copy of the picture.
    const QImage smaller = pixels.convertToFormat(QImage::Format_RGB32)
                               .scaled(p.width, p.height, Qt::IgnoreAspectRatio,
                                       Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_RGB32);
    PixelLayout smallLayout{};
    LayoutOf(smaller.format(), smallLayout);
    Convert(smaller, smallLayout, {&p});
  }
  for (Plane& p : planes) PadEdges(p);
}

}  // namespace miravela::jpeg
