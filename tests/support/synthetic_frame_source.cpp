#include "support/synthetic_frame_source.h"

#include <QPainter>
#include <algorithm>

#include "base/picture_box.h"

namespace miravela {

namespace {

std::uint32_t Mezclar(std::uint32_t x) {
  x ^= x >> 16;
  x *= 0x7FEB352Du;
  x ^= x >> 15;
  x *= 0x846CA68Bu;
  x ^= x >> 16;
  return x;
}

int Limitar(int v) { return std::clamp(v, 0, 255); }

// A scene with detail everywhere: soft gradients under a pattern of tiles, so that
// any moving object or light change shows on the sample grid.
QImage Escena(QSize size, std::uint32_t seed) {
  QImage image(size, QImage::Format_RGB32);
  const int tile = std::max(8, size.width() / 40);
  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const std::uint32_t h = Mezclar(seed ^ static_cast<std::uint32_t>((x / tile) * 7919 + (y / tile) * 104729));
      const int r = 60 + static_cast<int>(h & 0x3F) + x * 60 / std::max(size.width(), 1);
      const int g = 70 + static_cast<int>((h >> 8) & 0x3F) + y * 50 / std::max(size.height(), 1);
      const int b = 80 + static_cast<int>((h >> 16) & 0x3F);
      row[x] = qRgb(r, g, b);
    }
  }
  return image;
}

}  // namespace

SyntheticFrameSource::SyntheticFrameSource(QSize size, std::uint32_t seed) : scene_(Escena(size, seed)), seed_(seed) {}

void SyntheticFrameSource::AddObject(QRect rect, Color color, QPoint velocity) {
  objects_.push_back({rect, color, velocity});
}

QImage SyntheticFrameSource::Render() const {
  if (objects_.empty() && noise_ == 0 && light_ == 1.0) return scene_;  // shared, no copy
  QImage frame = scene_.copy();
  if (!objects_.empty()) {
    QPainter painter(&frame);
    for (const Object& o : objects_) painter.fillRect(o.rect, QColor::fromRgb(ToQRgb(o.color)));
  }
  if (noise_ == 0 && light_ == 1.0) return frame;
  std::uint32_t state = Mezclar(seed_ + static_cast<std::uint32_t>(frames_) * 2654435761u);
  for (int y = 0; y < frame.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(frame.scanLine(y));
    for (int x = 0; x < frame.width(); ++x) {
      int d[3] = {0, 0, 0};
      if (noise_ > 0) {
        state = state * 1664525u + 1013904223u;
        for (int c = 0; c < 3; ++c)
          d[c] = static_cast<int>((state >> (8 * c + 8)) % static_cast<std::uint32_t>(2 * noise_ + 1)) - noise_;
      }
      const QRgb p = row[x];
      row[x] =
          qRgb(Limitar(static_cast<int>(qRed(p) * light_) + d[0]), Limitar(static_cast<int>(qGreen(p) * light_) + d[1]),
               Limitar(static_cast<int>(qBlue(p) * light_) + d[2]));
    }
  }
  return frame;
}

std::optional<QImage> SyntheticFrameSource::Snap() {
  if (!available_) return std::nullopt;
  QImage frame = Render();
  ++frames_;
  for (Object& o : objects_) o.rect.translate(o.velocity);
  return frame;
}

}  // namespace miravela
