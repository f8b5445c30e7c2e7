#pragma once
// From pixels to the encoder's sample planes: the JFIF colour transform, level-shifted
// to centre on 0, a smoothed smaller copy for subsampled components, and the edge
// repeated into the padding up to whole blocks.
#include <QImage>
#include <QRect>
#include <cstdint>
#include <vector>

namespace miravela::jpeg {

enum class ColourComponent { Y, Cb, Cr };

struct Plane {
  ColourComponent kind = ColourComponent::Y;
  int width = 0, height = 0;              // samples that come from the picture
  int paddedWidth = 0, paddedHeight = 0;  // whole blocks (and whole MCUs); the row stride
  std::vector<std::int8_t> samples;       // kept between pictures, only grows

  const std::int8_t* Row(int y) const {
    return samples.data() + static_cast<std::ptrdiff_t>(y) * paddedWidth;
  }
  std::int8_t* Row(int y) { return samples.data() + static_cast<std::ptrdiff_t>(y) * paddedWidth; }
};

// Fills every plane from the rectangle `area` of `source`; parts of the rectangle
// outside the picture read as black. The planes' kinds and sizes are set beforehand.
void SamplePlanes(const QImage& source, const QRect& area, std::vector<Plane>& planes);

// The transform of one pixel, rounded as the planes store it (for tests).
std::int8_t ColourSample(ColourComponent kind, int red, int green, int blue);

}  // namespace miravela::jpeg
