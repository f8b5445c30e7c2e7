#include "base/picture_box.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "base/twips.h"

namespace miravela {

namespace {

QImage Blank(int w, int h, Color back) {
  QImage image(std::max(w, 0), std::max(h, 0), QImage::Format_RGB32);
  image.fill(ToQRgb(back));
  return image;
}

QImage AsRgb32(const QImage& image) {
  if (image.format() == QImage::Format_RGB32) return image;
  return image.convertToFormat(QImage::Format_RGB32);
}

// One row's worth of column mapping, as runs: `len` destination pixels from `dst`
// taken from `len` consecutive source pixels from `src` (len 1 where the scale breaks runs).
struct Run {
  int dst;
  int src;
  int len;
};

std::vector<Run> ColumnRuns(int destX, int destW, int clipW, int srcW) {
  std::vector<Run> runs;
  const int first = std::max(0, -destX);
  const int last = std::min(destW, clipW - destX);  // exclusive
  for (int i = first; i < last; ++i) {
    // Centre sampling: destination pixel i shows the source pixel under its centre.
    const int s = static_cast<int>((2LL * i + 1) * srcW / (2LL * destW));
    if (!runs.empty() && runs.back().src + runs.back().len == s && runs.back().dst + runs.back().len == destX + i)
      ++runs.back().len;
    else
      runs.push_back({destX + i, s, 1});
  }
  return runs;
}

}  // namespace

void StretchInto(QImage& dest, const QImage& sourceAny, int x, int y, int w, int h) {
  if (w <= 0 || h <= 0 || sourceAny.isNull() || dest.isNull()) return;
  const QImage source = AsRgb32(sourceAny);
  const int srcW = source.width(), srcH = source.height();
  const std::vector<Run> runs = ColumnRuns(x, w, dest.width(), srcW);
  if (runs.empty()) return;
  const int firstRow = std::max(0, -y), lastRow = std::min(h, dest.height() - y);
  int previousSrcRow = -1;
  for (int j = firstRow; j < lastRow; ++j) {
    const int sy = static_cast<int>((2LL * j + 1) * srcH / (2LL * h));
    auto* out = reinterpret_cast<QRgb*>(dest.scanLine(y + j));
    if (sy == previousSrcRow) {
      // An enlarged picture repeats rows: copy the row just made.
      const auto* above = reinterpret_cast<const QRgb*>(dest.constScanLine(y + j - 1));
      const int from = runs.front().dst, to = runs.back().dst + runs.back().len;
      std::memcpy(out + from, above + from, sizeof(QRgb) * (to - from));
      continue;
    }
    previousSrcRow = sy;
    const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(sy));
    for (const Run& run : runs) {
      if (run.len == 1)
        out[run.dst] = in[run.src];
      else
        std::memcpy(out + run.dst, in + run.src, sizeof(QRgb) * run.len);
    }
  }
}

PictureBox::PictureBox(double twipsPerPixelX, double twipsPerPixelY, int widthPixels, int heightPixels)
    : tppX_(twipsPerPixelX > 0 ? twipsPerPixelX : kTwipsPorPixelHabitual),
      tppY_(twipsPerPixelY > 0 ? twipsPerPixelY : kTwipsPorPixelHabitual),
      widthPx_(std::max(widthPixels, 0)),
      heightPx_(std::max(heightPixels, 0)) {
  NewBlankImage();
}

int PictureBox::Width() const { return TwipsDePixeles(widthPx_, tppX_); }
int PictureBox::Height() const { return TwipsDePixeles(heightPx_, tppY_); }

void PictureBox::NewBlankImage() { image_ = Blank(widthPx_, heightPx_, BackColor); }

void PictureBox::SetSizePixels(int widthPixels, int heightPixels) {
  widthPixels = std::max(widthPixels, 0);
  heightPixels = std::max(heightPixels, 0);
  if (widthPixels == widthPx_ && heightPixels == heightPx_) return;
  QImage resized = Blank(widthPixels, heightPixels, BackColor);
  // A picture too large for memory leaves the box as it was.
  if (resized.isNull() && widthPixels > 0 && heightPixels > 0) return;
  const int w = std::min(widthPixels, widthPx_), h = std::min(heightPixels, heightPx_);
  if (w > 0 && !resized.isNull() && !image_.isNull())
    for (int row = 0; row < h; ++row) std::memcpy(resized.scanLine(row), image_.constScanLine(row), sizeof(QRgb) * w);
  widthPx_ = widthPixels;
  heightPx_ = heightPixels;
  image_ = resized;
}

void PictureBox::SetSizeTwips(double widthTwips, double heightTwips) {
  SetSizePixels(PixelesDeTwips(widthTwips, tppX_), PixelesDeTwips(heightTwips, tppY_));
}

void PictureBox::SetPicture(const QImage& picture) {
  picture_ = AsRgb32(picture);
  if (picture_.width() == widthPx_ && picture_.height() == heightPx_) {
    image_ = picture_;  // shared until something is drawn
    return;
  }
  NewBlankImage();
  StretchInto(image_, picture_, 0, 0, picture_.width(), picture_.height());
}

void PictureBox::ClearPicture() {
  picture_ = QImage();
  NewBlankImage();
}

void PictureBox::Cls() {
  if (picture_.isNull())
    NewBlankImage();
  else
    SetPicture(picture_);
}

void PictureBox::CommitImage() { picture_ = image_; }

int PictureBox::PixelX(double twipsX) const { return PixelDeTwips(twipsX, tppX_); }
int PictureBox::PixelY(double twipsY) const { return PixelDeTwips(twipsY, tppY_); }

std::int64_t PictureBox::Point(double x, double y) const {
  const int px = PixelX(x), py = PixelY(y);
  if (px < 0 || py < 0 || px >= image_.width() || py >= image_.height()) return kSinColor;
  const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(py));
  return FromQRgb(row[px]);
}

void PictureBox::Dot(int px, int py, int size, QRgb rgb) {
  size = std::max(size, 1);
  const int x0 = std::max(px - (size - 1) / 2, 0), x1 = std::min(px + size / 2, image_.width() - 1);
  const int y0 = std::max(py - (size - 1) / 2, 0), y1 = std::min(py + size / 2, image_.height() - 1);
  for (int yy = y0; yy <= y1; ++yy) {
    auto* row = reinterpret_cast<QRgb*>(image_.scanLine(yy));
    for (int xx = x0; xx <= x1; ++xx) row[xx] = rgb;
  }
}

void PictureBox::PSet(double x, double y, Color color) { Dot(PixelX(x), PixelY(y), DrawWidth, ToQRgb(color)); }

void PictureBox::Circle(double x, double y, double radius, Color color) {
  const double rx = radius / tppX_, ry = radius / tppY_;
  if (rx < 1 && ry < 1) {
    // A circle smaller than a pixel is a dot as wide as the pen.
    Dot(PixelX(x), PixelY(y), DrawWidth, ToQRgb(color));
    return;
  }
  QPainter painter(&image_);
  painter.setPen(QPen(QColor::fromRgb(ToQRgb(color)), DrawWidth));
  painter.drawEllipse(QPointF(x / tppX_, y / tppY_), rx, ry);
}

void PictureBox::Line(double x1, double y1, double x2, double y2, Color color) {
  QPainter painter(&image_);
  painter.setPen(QPen(QColor::fromRgb(ToQRgb(color)), DrawWidth));
  painter.drawLine(QPoint(PixelX(x1), PixelY(y1)), QPoint(PixelX(x2), PixelY(y2)));
}

void PictureBox::Box(double x1, double y1, double x2, double y2, Color color) {
  const int px1 = PixelX(x1), py1 = PixelY(y1), px2 = PixelX(x2), py2 = PixelY(y2);
  QPainter painter(&image_);
  painter.setPen(QPen(QColor::fromRgb(ToQRgb(color)), DrawWidth));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(QRect(QPoint(std::min(px1, px2), std::min(py1, py2)), QPoint(std::max(px1, px2), std::max(py1, py2)))
                       .adjusted(0, 0, -1, -1));
}

void PictureBox::PaintPicture(const QImage& source, double x, double y, double width, double height) {
  StretchInto(image_, source, PixelX(x), PixelY(y), PixelesDeTwips(width, tppX_), PixelesDeTwips(height, tppY_));
}

FormPictures::FormPictures(double twipsPerPixelX, double twipsPerPixelY)
    : Picture1(twipsPerPixelX, twipsPerPixelY, 324, 244),
      Picture2(twipsPerPixelX, twipsPerPixelY, 324, 244),
      Picture3(twipsPerPixelX, twipsPerPixelY, 324, 244),
      Picture4(twipsPerPixelX, twipsPerPixelY, 644, 484),
      Picture5(twipsPerPixelX, twipsPerPixelY, 324, 244) {}

}  // namespace miravela
