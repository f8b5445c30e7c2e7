#include "alarm/jpeg/jpeg_sampling.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

#include "alarm/jpeg/jpeg_sampling_wide.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace miravela::jpeg {

namespace {

// The JFIF matrix. The same numbers serve the vector and the scalar paths, so all
// give equal samples.
constexpr ColourWeights kWeights[3] = {
    {9798, 19235, 3735, 128},   // Y: 0.299, 0.587, 0.114
    {-5529, -10855, 16384, 0},  // Cb: -0.16874, -0.33126, 0.5
    {16384, -13720, -2664, 0},  // Cr: 0.5, -0.41869, -0.08131
};
// A value exactly halfway goes down (kRoundingHalf): flat areas of pure colours,
// common in synthetic pictures, then come back from a decoder as the very colours
// they were.

inline std::int8_t ScalarSample(const ColourWeights& w, int r, int g, int b) {
  const int v = ((w.red * r + w.green * g + w.blue * b + kRoundingHalf) >> 15) - w.offset;
  return static_cast<std::int8_t>(std::clamp(v, -128, 127));
}

// Byte order of a pixel: step between pixels and the offsets of red, green, blue.
struct PixelLayout {
  int step, red, green, blue;
};

bool LayoutOf(QImage::Format format, PixelLayout& layout) {
  switch (format) {
    case QImage::Format_RGB888:
      layout = {3, 0, 1, 2};
      return true;
    case QImage::Format_BGR888:
      layout = {3, 2, 1, 0};
      return true;
    case QImage::Format_RGB32:
    case QImage::Format_ARGB32:
      if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN)
        layout = {4, 2, 1, 0};
      else
        layout = {4, 1, 2, 3};
      return true;
    default:
      return false;
  }
}

// One row split into its red, green and blue bytes, so that the arithmetic can run
// over sixteen pixels at a time.
template <int Step, int R, int G, int B>
void Deinterleave(const uchar* px, int width, std::uint8_t* r, std::uint8_t* g, std::uint8_t* b) {
  for (int x = 0; x < width; ++x, px += Step) {
    r[x] = px[R];
    g[x] = px[G];
    b[x] = px[B];
  }
}

#if defined(__SSE2__)
// Eight samples of one component from eight pixels given as 16-bit lanes.
inline __m128i EightSamples(__m128i r, __m128i g, __m128i b, __m128i redGreen, __m128i blueHalf) {
  const __m128i one = _mm_set1_epi16(1);
  const __m128i lo = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(r, g), redGreen),
                                   _mm_madd_epi16(_mm_unpacklo_epi16(b, one), blueHalf));
  const __m128i hi = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(r, g), redGreen),
                                   _mm_madd_epi16(_mm_unpackhi_epi16(b, one), blueHalf));
  return _mm_packs_epi32(_mm_srai_epi32(lo, 15), _mm_srai_epi32(hi, 15));
}
#endif

// Samples of pixels [from, to) of a split row into every target, sixteen at a time
// (to - from a multiple of 16, `from` a multiple of 8).
void SampleIntoBlocks(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, int from, int to,
                      const BlockRow* targets, int targetCount) {
  int x = from;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  for (; x + 16 <= to; x += 16) {
    const __m128i r16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(r + x));
    const __m128i g16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(g + x));
    const __m128i b16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + x));
    const __m128i rLo = _mm_unpacklo_epi8(r16, zero), gLo = _mm_unpacklo_epi8(g16, zero),
                  bLo = _mm_unpacklo_epi8(b16, zero);
    const __m128i rHi = _mm_unpackhi_epi8(r16, zero), gHi = _mm_unpackhi_epi8(g16, zero),
                  bHi = _mm_unpackhi_epi8(b16, zero);
    for (int t = 0; t < targetCount; ++t) {
      const ColourWeights& w = *targets[t].weights;
      const __m128i redGreen = _mm_set1_epi32((w.green << 16) | static_cast<std::uint16_t>(w.red));
      const __m128i blueHalf = _mm_set1_epi32((kRoundingHalf << 16) | static_cast<std::uint16_t>(w.blue));
      const __m128i offset = _mm_set1_epi16(static_cast<short>(w.offset));
      const __m128i first = _mm_sub_epi16(EightSamples(rLo, gLo, bLo, redGreen, blueHalf), offset);
      const __m128i second = _mm_sub_epi16(EightSamples(rHi, gHi, bHi, redGreen, blueHalf), offset);
      const __m128i bytes = _mm_packs_epi16(first, second);
      std::int8_t* to8 = targets[t].row + (x / 8) * 64;
      _mm_storel_epi64(reinterpret_cast<__m128i*>(to8), bytes);
      _mm_storel_epi64(reinterpret_cast<__m128i*>(to8 + 64), _mm_unpackhi_epi64(bytes, bytes));
    }
  }
#endif
  for (; x < to; ++x)
    for (int t = 0; t < targetCount; ++t)
      targets[t].row[(x / 8) * 64 + x % 8] = ScalarSample(*targets[t].weights, r[x], g[x], b[x]);
}

// The rest of a row, from `from` (a multiple of 8) to the padded width: the last
// sample repeated into the padding.
void SampleRowEnd(const std::uint8_t* r, const std::uint8_t* g, const std::uint8_t* b, int from, int width,
                  int paddedWidth, const BlockRow& target) {
  SampleIntoBlocks(r, g, b, from, width, &target, 1);
  const std::int8_t last = target.row[((width - 1) / 8) * 64 + (width - 1) % 8];
  for (int x = width; x < paddedWidth; ++x) target.row[(x / 8) * 64 + x % 8] = last;
}

// Copies row `from` of the plane into row `to`, over the whole padded width.
void RepeatRow(Plane& p, int from, int to) {
  const std::int8_t* source = p.samples.data() + p.BlockOffset(0, from / 8) + (from % 8) * 8;
  std::int8_t* target = p.samples.data() + p.BlockOffset(0, to / 8) + (to % 8) * 8;
  for (int x = 0; x < p.paddedWidth; x += 8, source += 64, target += 64) std::memcpy(target, source, 8);
}

// Rows of pixels to read: the first row, the distance between rows, the size.
struct PixelRows {
  const uchar* first;
  qsizetype stride;
  int width, height;
  const uchar* Row(int y) const { return first + y * stride; }
};

// One row of pixels split into red, green and blue rows.
template <int Step, int R, int G, int B>
void SplitRow(const uchar* px, int width, bool shuffles, std::uint8_t* r, std::uint8_t* g, std::uint8_t* b) {
  if (Step == 3 && shuffles)
    SplitThreeBytePixels(px, width, R, r, g, b);
  else if (Step == 4 && B == 0 && shuffles)
    SplitFourBytePixels(px, width, r, g, b);
  else
    Deinterleave<Step, R, G, B>(px, width, r, g, b);
}

// Converts `image` (whose layout is known) into the given planes, all of the
// image's size; every pixel is read once whatever the number of planes, and the
// samples go straight into their blocks. The last sample of a row and then the last
// row are repeated into the padding.
template <int Step, int R, int G, int B>
void ConvertTyped(const PixelRows& image, std::span<Plane* const> planes, std::vector<std::uint8_t>& scratch) {
  const int w = image.width, h = image.height;
  const int n = static_cast<int>(planes.size());
  scratch.resize(3 * static_cast<std::size_t>(w));
  std::uint8_t* r = scratch.data();
  std::uint8_t* g = r + w;
  std::uint8_t* b = g + w;
  const bool shuffles = HasByteShuffles();
  const int wideEnd = HasWideVectors() ? w / 32 * 32 : 0;
  const int blockEnd = wideEnd + (w - wideEnd) / 16 * 16;
  std::array<BlockRow, 3> targets{};
  for (int y = 0; y < h; ++y) {
    SplitRow<Step, R, G, B>(image.Row(y), w, shuffles, r, g, b);
    for (int i = 0; i < n; ++i)
      targets[i] = {&kWeights[static_cast<int>(planes[i]->kind)],
                    planes[i]->samples.data() + planes[i]->BlockOffset(0, y / 8) + (y % 8) * 8};
    if (wideEnd > 0) SampleIntoBlocksWide(r, g, b, wideEnd, targets.data(), n);
    SampleIntoBlocks(r, g, b, wideEnd, blockEnd, targets.data(), n);
    for (int i = 0; i < n; ++i) SampleRowEnd(r, g, b, blockEnd, w, planes[i]->paddedWidth, targets[i]);
  }
  for (Plane* p : planes)
    for (int y = h; y < p->paddedHeight; ++y) RepeatRow(*p, h - 1, y);
}

void Convert(const PixelRows& image, const PixelLayout& l, std::span<Plane* const> planes,
             std::vector<std::uint8_t>& scratch) {
  if (l.step == 3 && l.red == 0)
    ConvertTyped<3, 0, 1, 2>(image, planes, scratch);
  else if (l.step == 3)
    ConvertTyped<3, 2, 1, 0>(image, planes, scratch);
  else if (l.red == 2)
    ConvertTyped<4, 2, 1, 0>(image, planes, scratch);
  else
    ConvertTyped<4, 1, 2, 3>(image, planes, scratch);
}

PixelRows RowsOf(const QImage& image) {
  return {image.constBits(), image.bytesPerLine(), image.width(), image.height()};
}

// The rectangle in a layout the converter reads: read in place when the source
// already is one and holds the whole rectangle, else from a converted copy kept in
// `copy`.
PixelRows Readable(const QImage& source, const QRect& area, PixelLayout& layout, QImage& copy) {
  if (source.rect().contains(area) && LayoutOf(source.format(), layout)) {
    const uchar* origin = source.constScanLine(area.top()) + area.left() * (source.depth() / 8);
    return {origin, source.bytesPerLine(), area.width(), area.height()};
  }
  copy = source.copy(area).convertToFormat(QImage::Format_RGB32);
  LayoutOf(copy.format(), layout);
  return RowsOf(copy);
}

}  // namespace

bool HasWideVectors() {
#if defined(__x86_64__) && defined(__GNUC__)
  return __builtin_cpu_supports("avx2");
#else
  return false;
#endif
}

bool HasByteShuffles() {
#if defined(__x86_64__) && defined(__GNUC__)
  return __builtin_cpu_supports("ssse3");
#else
  return false;
#endif
}

std::int8_t ColourSample(ColourComponent kind, int red, int green, int blue) {
  return ScalarSample(kWeights[static_cast<int>(kind)], red, green, blue);
}

void SamplePlanes(const QImage& source, const QRect& area, std::vector<Plane>& planes,
                  std::vector<std::uint8_t>& scratch) {
  PixelLayout layout{};
  QImage copy;
  const PixelRows pixels = Readable(source, area, layout, copy);
  std::array<Plane*, 3> fullSize{};
  std::size_t full = 0;
  for (Plane& p : planes) {
    p.samples.resize(static_cast<std::size_t>(p.paddedWidth) * p.paddedHeight);
    if (p.width == area.width() && p.height == area.height() && full < fullSize.size()) fullSize[full++] = &p;
  }
  if (full > 0) Convert(pixels, layout, std::span(fullSize.data(), full), scratch);
  for (Plane& p : planes) {
    if (p.width == area.width() && p.height == area.height()) continue;
    // A subsampled component is taken from a smoothed smaller copy of the picture.
    if (copy.isNull()) copy = source.copy(area);
    const QImage smaller = copy.convertToFormat(QImage::Format_RGB32)
                               .scaled(p.width, p.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                               .convertToFormat(QImage::Format_RGB32);
    PixelLayout smallLayout{};
    LayoutOf(smaller.format(), smallLayout);
    Plane* one[1] = {&p};
    Convert(RowsOf(smaller), smallLayout, one, scratch);
  }
}

}  // namespace miravela::jpeg
