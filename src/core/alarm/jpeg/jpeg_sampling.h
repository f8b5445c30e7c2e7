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

// Samples are stored block by block, each 8 x 8 block in 64 consecutive bytes, so
// that the transform reads one cache line per block.
struct Plane {
  ColourComponent kind = ColourComponent::Y;
  int width = 0, height = 0;              // samples that come from the picture
  int paddedWidth = 0, paddedHeight = 0;  // whole blocks (and whole MCUs)
  std::vector<std::int8_t> samples;       // kept between pictures, only grows

  std::ptrdiff_t BlockOffset(int bx, int by) const {
    return (static_cast<std::ptrdiff_t>(by) * (paddedWidth / 8) + bx) * 64;
  }
  const std::int8_t* Block(int bx, int by) const { return samples.data() + BlockOffset(bx, by); }
  std::int8_t Sample(int x, int y) const { return Block(x / 8, y / 8)[(y % 8) * 8 + x % 8]; }
};

// Fills every plane from the rectangle `area` of `source`; parts of the rectangle
// outside the picture read as black. The planes' kinds and sizes are set beforehand;
// `scratch` is working space kept by the caller.
void SamplePlanes(const QImage& source, const QRect& area, std::vector<Plane>& planes,
                  std::vector<std::uint8_t>& scratch);

// The transform of one pixel, rounded as the planes store it (for tests).
std::int8_t ColourSample(ColourComponent kind, int red, int green, int blue);

}  // namespace miravela::jpeg
