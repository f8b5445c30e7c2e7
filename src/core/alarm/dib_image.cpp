#include "alarm/dib_image.h"

#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>

#include <QFile>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstring>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace miravela {

namespace {

bool ValidBitCount(int bits) { return bits == 1 || bits == 4 || bits == 8 || bits == 24; }

QImage::Format SurfaceFormat(int bits) {
  return bits == 1 ? QImage::Format_Mono : bits == 24 ? QImage::Format_BGR888 : QImage::Format_Indexed8;
}

// Depth from the size of a colour table; no table means true colour.
int BitsForColours(int colours) {
  if (colours <= 0 || colours > 256) return 24;
  return colours <= 2 ? 1 : colours <= 16 ? 4 : 8;
}

// A picture's own depth as an image depth: paletted pictures keep theirs, anything
// of 16 bits and more becomes 24 so that every picture can be encoded.
int OwnBits(const QImage& picture) {
  if (picture.depth() == 1) return 1;
  if (picture.format() == QImage::Format_Indexed8 || picture.format() == QImage::Format_Grayscale8) return 8;
  return 24;
}

// Indexes of `picture` for a surface of `bits`: its own when its table fits, else
// the nearest entry of `table`.
QImage IndexedPixels(const QImage& picture, int bits, const QList<QRgb>& table, QList<QRgb>& used) {
  if (picture.colorCount() > 0 && picture.colorCount() <= (1 << bits)) {
    used = picture.colorTable();
    return picture.convertToFormat(QImage::Format_Indexed8);
  }
  used = table;
  return picture.convertToFormat(QImage::Format_RGB32)
      .convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither | Qt::AvoidDither);
}

int NearestGrey(QRgb c) { return (qRed(c) + qGreen(c) + qBlue(c) + 1) / 3; }

std::uint8_t ApplyOp(cImage::RasterOp op, std::uint8_t s, std::uint8_t d) {
  switch (op) {
    case cImage::kSrcPaint:
      return s | d;
    case cImage::kSrcAnd:
      return s & d;
    case cImage::kSrcInvert:
      return s ^ d;
    case cImage::kNotSrcCopy:
      return static_cast<std::uint8_t>(~s);
    case cImage::kDstInvert:
      return static_cast<std::uint8_t>(~d);
    case cImage::kBlackness:
      return 0;
    case cImage::kWhiteness:
      return 0xFF;
    case cImage::kSrcCopy:
    default:
      return s;
  }
}

// The file and information headers of a bottom-up, uncompressed 24-bit bitmap.
std::array<std::uint8_t, 54> BitmapHeaders(int width, int height) {
  std::array<std::uint8_t, 54> h{};
  auto put = [&h](int at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) h[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(value >> (8 * i));
  };
  const auto imageBytes =
      static_cast<std::uint32_t>(cImage::BytesPerScanLine(width, 24)) * static_cast<std::uint32_t>(height);
  h[0] = 'B';
  h[1] = 'M';
  put(2, 54 + imageBytes, 4);  // file size
  put(10, 54, 4);              // where the pixels start
  put(14, 40, 4);              // information header size
  put(18, static_cast<std::uint32_t>(width), 4);
  put(22, static_cast<std::uint32_t>(height), 4);  // positive: bottom-up rows
  put(26, 1, 2);                                   // planes
  put(28, 24, 2);                                  // bits per pixel
  put(34, imageBytes, 4);
  put(38, 2835, 4);  // 72 dots per inch, in dots per metre
  put(42, 2835, 4);
  return h;
}

// Writes every byte the pieces describe; the pieces are consumed on the way.
bool WritePieces(int fd, std::vector<iovec>& pieces) {
  std::size_t first = 0;
  while (first < pieces.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(pieces.size() - first, IOV_MAX));
    ssize_t n = ::writev(fd, pieces.data() + first, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    while (n > 0) {
      iovec& piece = pieces[first];
      const std::size_t used = std::min(piece.iov_len, static_cast<std::size_t>(n));
      piece.iov_base = static_cast<char*>(piece.iov_base) + used;
      piece.iov_len -= used;
      n -= static_cast<ssize_t>(used);
      if (piece.iov_len == 0) ++first;
    }
    while (first < pieces.size() && pieces[first].iov_len == 0) ++first;
  }
  return true;
}

// A row of 32-bit pixels (blue, green, red, unused in memory) as 24-bit ones.
void DropFourthBytesPlain(const uchar* from, int width, std::uint8_t* to) {
  for (int x = 0; x < width; ++x, from += 4, to += 3) std::memcpy(to, from, 3);
}

#if defined(__x86_64__) && defined(__GNUC__)
// The same sixteen pixels at a time with byte shuffles; only called where the
// processor has them.
__attribute__((target("ssse3"))) void DropFourthBytesShuffled(const uchar* from, int width, std::uint8_t* to) {
  const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
  int x = 0;
  for (; x + 16 <= width; x += 16, from += 64, to += 48) {
    const auto* in = reinterpret_cast<const __m128i*>(from);
    const __m128i a = _mm_shuffle_epi8(_mm_loadu_si128(in), pack);
    const __m128i b = _mm_shuffle_epi8(_mm_loadu_si128(in + 1), pack);
    const __m128i c = _mm_shuffle_epi8(_mm_loadu_si128(in + 2), pack);
    const __m128i d = _mm_shuffle_epi8(_mm_loadu_si128(in + 3), pack);
    auto* out = reinterpret_cast<__m128i*>(to);
    _mm_storeu_si128(out, _mm_or_si128(a, _mm_slli_si128(b, 12)));
    _mm_storeu_si128(out + 1, _mm_or_si128(_mm_srli_si128(b, 4), _mm_slli_si128(c, 8)));
    _mm_storeu_si128(out + 2, _mm_or_si128(_mm_srli_si128(c, 8), _mm_slli_si128(d, 4)));
  }
  DropFourthBytesPlain(from, width - x, to);
}
#endif

using RowConversion = void (*)(const uchar*, int, std::uint8_t*);
RowConversion FastestDropFourthBytes() {
#if defined(__x86_64__) && defined(__GNUC__)
  if (__builtin_cpu_supports("ssse3")) return DropFourthBytesShuffled;
#endif
  return DropFourthBytesPlain;
}

bool OpenReplacing(const QString& path, int& fd) {
  // Not truncated here: rewriting the pages of the old bitmap in place is cheaper
  // than freeing them and taking new ones; what is left of a longer file goes after.
  fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
  return fd >= 0;
}

bool FinishReplacing(int fd, bool written, off_t size) {
  written = written && ::ftruncate(fd, size) == 0;
  return ::close(fd) == 0 && written;
}

// Pictures already in bitmap order: the rows go straight from the picture to the file.
bool WriteBgrRows(int fd, const QImage& bgr, std::array<std::uint8_t, 54>& headers) {
  const std::size_t rowBytes = 3 * static_cast<std::size_t>(bgr.width());
  const std::size_t padding = static_cast<std::size_t>(cImage::BytesPerScanLine(bgr.width(), 24)) - rowBytes;
  static const std::uint8_t zeros[3] = {0, 0, 0};
  std::vector<iovec> pieces;
  pieces.reserve(1 + static_cast<std::size_t>(bgr.height()) * (padding > 0 ? 2 : 1));
  pieces.push_back({headers.data(), headers.size()});
  for (int y = bgr.height() - 1; y >= 0; --y) {
    pieces.push_back({const_cast<uchar*>(bgr.constScanLine(y)), rowBytes});
    if (padding > 0) pieces.push_back({const_cast<std::uint8_t*>(zeros), padding});
  }
  return WritePieces(fd, pieces);
}

// 32-bit pictures: converted a band of rows at a time into a small buffer.
bool Write32BitRows(int fd, const QImage& picture, std::array<std::uint8_t, 54>& headers) {
  const int width = picture.width(), stride = cImage::BytesPerScanLine(width, 24);
  constexpr int kBandRows = 16;
  std::vector<std::uint8_t> band(static_cast<std::size_t>(stride) * kBandRows, 0);
  const RowConversion convert = FastestDropFourthBytes();
  std::vector<iovec> piece{{headers.data(), headers.size()}};
  if (!WritePieces(fd, piece)) return false;
  for (int y = picture.height() - 1; y >= 0;) {
    int rows = 0;
    for (; rows < kBandRows && y >= 0; ++rows, --y)
      convert(picture.constScanLine(y), width, band.data() + static_cast<std::size_t>(rows) * stride);
    piece = {{band.data(), static_cast<std::size_t>(rows) * stride}};
    if (!WritePieces(fd, piece)) return false;
  }
  return true;
}

}  // namespace

bool SaveBitmap24(const QImage& picture, const QString& path) {
  if (picture.isNull() || path.isEmpty()) return false;
  const bool fourBytes = Q_BYTE_ORDER == Q_LITTLE_ENDIAN &&
                         (picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32);
  const QImage source =
      fourBytes || picture.format() == QImage::Format_BGR888 ? picture : picture.convertToFormat(QImage::Format_BGR888);
  if (source.isNull()) return false;
  std::array<std::uint8_t, 54> headers = BitmapHeaders(source.width(), source.height());
  int fd = -1;
  if (!OpenReplacing(path, fd)) return false;
  const bool written = fourBytes ? Write32BitRows(fd, source, headers) : WriteBgrRows(fd, source, headers);
  const off_t size = 54 + static_cast<off_t>(cImage::BytesPerScanLine(source.width(), 24)) * source.height();
  return FinishReplacing(fd, written, size);
}

int cImage::BytesPerScanLine(int width, int bitCount) {
  if (width < 1) return 0;
  switch (bitCount) {
    case 1:
      return ((width - 1) / 8 + 4) & ~3;
    case 4:
      return ((width - 1) / 2 + 4) & ~3;
    case 8:
      return (width + 3) & ~3;
    case 24:
      return (3 * width + 3) & ~3;
    default:
      return 0;
  }
}

QList<QRgb> cImage::GreyRamp(int bitCount) {
  QList<QRgb> ramp;
  if (bitCount != 1 && bitCount != 4 && bitCount != 8) return ramp;
  const int top = (1 << bitCount) - 1;
  for (int i = 0; i <= top; ++i) {
    const int g = (i * 255 * 2 + top) / (2 * top);  // i * 255 / top, to the nearest
    ramp.push_back(qRgb(g, g, g));
  }
  return ramp;
}

void cImage::Release() {
  surface_ = QImage();
  bitCount_ = 0;
}

bool cImage::Create(int width, int height, int bitCount) {
  Release();
  if (width < 1 || height < 1 || !ValidBitCount(bitCount)) return false;
  QImage surface(width, height, SurfaceFormat(bitCount));
  if (surface.isNull()) return false;
  if (bitCount != 24) surface.setColorTable(GreyRamp(bitCount));
  std::memset(surface.bits(), 0, static_cast<std::size_t>(surface.sizeInBytes()));
  surface_ = surface;
  bitCount_ = bitCount;
  return true;
}

bool cImage::Adopt(const QImage& picture, int bits, const QList<QRgb>& table) {
  if (picture.isNull() || !ValidBitCount(bits)) {
    Release();
    return false;
  }
  if (bits == 24) {
    QImage surface = picture.convertToFormat(QImage::Format_BGR888);
    Release();
    if (surface.isNull()) return false;
    surface_ = surface;
    bitCount_ = 24;
    return true;
  }
  QList<QRgb> used;
  const QImage indexes = IndexedPixels(picture, bits, table, used);
  if (indexes.isNull() || !Create(picture.width(), picture.height(), bits)) {
    Release();
    return false;
  }
  QList<QRgb> full = used;
  full.resize(1 << bits, qRgb(0, 0, 0));
  surface_.setColorTable(full);
  for (int y = 0; y < indexes.height(); ++y) {
    const uchar* row = indexes.constScanLine(y);
    for (int x = 0; x < indexes.width(); ++x) surface_.setPixel(x, y, row[x]);
  }
  return true;
}

bool cImage::CopyStdPicture(const QImage& picture, int bitCount) {
  const int bits = bitCount == 0 ? OwnBits(picture) : bitCount;
  return Adopt(picture, bits, GreyRamp(bits));
}

bool cImage::CopyHDC(const QImage& source, int width, int height, int bitCount, int left, int top) {
  if (source.isNull() || width < 1 || height < 1) {
    Release();
    return false;
  }
  const int bits = bitCount == 0 ? BitsForColours(source.colorCount()) : bitCount;
  // Outside the source the copy reads black, as from the edge of a bitmap.
  return Adopt(source.copy(left, top, width, height), bits, GreyRamp(bits));
}

bool cImage::CopyPalletHDC(const QImage& source) {
  if (surface_.isNull() || bitCount_ == 24) return false;
  const QList<QRgb> from = source.colorTable();
  const int n = std::min<int>(static_cast<int>(from.size()), 1 << bitCount_);
  if (n < 1) return false;
  QList<QRgb> table = surface_.colorTable();
  for (int i = 0; i < n; ++i) table[i] = from[i];
  surface_.setColorTable(table);
  return true;
}

void cImage::PaintHDC(QImage& target, int left, int top, RasterOp op) const {
  if (surface_.isNull() || target.isNull()) return;
  const QRect area = QRect(left, top, Width(), Height()).intersected(target.rect());
  if (area.isEmpty()) return;
  QImage source = target.colorCount() > 0 ? surface_.convertToFormat(target.format(), target.colorTable())
                                          : surface_.convertToFormat(target.format());
  if (target.depth() < 8) {
    const int mask = (1 << target.depth()) - 1;
    for (int y = area.top(); y <= area.bottom(); ++y)
      for (int x = area.left(); x <= area.right(); ++x) {
        const auto s = static_cast<std::uint8_t>(source.pixelIndex(x - left, y - top));
        const auto d = static_cast<std::uint8_t>(target.pixelIndex(x, y));
        target.setPixel(x, y, ApplyOp(op, s, d) & mask);
      }
    return;
  }
  const int bytesPerPixel = target.depth() / 8;
  const bool opaque = target.format() == QImage::Format_RGB32;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    const uchar* s = source.constScanLine(y - top) + (area.left() - left) * bytesPerPixel;
    uchar* d = target.scanLine(y) + area.left() * bytesPerPixel;
    const int count = area.width() * bytesPerPixel;
    for (int i = 0; i < count; ++i) d[i] = ApplyOp(op, s[i], d[i]);
    if (opaque)  // this format keeps its unused byte at 0xFF
      for (int i = 3; i < count; i += 4) d[i] = 0xFF;
  }
}

std::vector<std::uint8_t> cImage::DIBits() const {
  const int stride = BytesPerScanLine();
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(stride) * Height(), 0);
  for (int y = 0; y < Height(); ++y) {
    std::uint8_t* row = bits.data() + static_cast<std::size_t>(Height() - 1 - y) * stride;
    const uchar* from = surface_.constScanLine(y);
    if (bitCount_ == 4) {
      for (int x = 0; x < Width(); ++x)
        row[x / 2] = static_cast<std::uint8_t>(row[x / 2] | (from[x] << (x % 2 == 0 ? 4 : 0)));
    } else {
      std::memcpy(row, from, static_cast<std::size_t>(std::min<qsizetype>(stride, surface_.bytesPerLine())));
    }
  }
  return bits;
}

std::unique_ptr<cImage> cImage::Greyscale() const {
  if (surface_.isNull()) return nullptr;
  auto grey = std::make_unique<cImage>();
  if (!grey->Create(Width(), Height(), 8)) return nullptr;
  for (int y = 0; y < Height(); ++y) {
    uchar* row = grey->surface_.scanLine(y);
    for (int x = 0; x < Width(); ++x) row[x] = static_cast<uchar>(NearestGrey(surface_.pixel(x, y)));
  }
  return grey;
}

std::unique_ptr<cImage> cImage::Resample(int width, int height) const {
  if (surface_.isNull() || width < 1 || height < 1) return nullptr;
  auto copy = std::make_unique<cImage>();
  if (width == Width() && height == Height()) {
    copy->surface_ = surface_.copy();
    copy->bitCount_ = bitCount_;
    return copy;
  }
  const QImage scaled = surface_.convertToFormat(QImage::Format_RGB32)
                            .scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  // Paletted images keep their own colour table; the scaled colours map onto it.
  if (!copy->Adopt(scaled, bitCount_, surface_.colorTable())) return nullptr;
  return copy;
}

template <typename Map>
std::unique_ptr<cImage> cImage::Remapped(int width, int height, Map map) const {
  if (surface_.isNull()) return nullptr;
  auto out = std::make_unique<cImage>();
  if (!out->Create(width, height, bitCount_)) return nullptr;
  if (bitCount_ != 24) out->surface_.setColorTable(surface_.colorTable());
  for (int y = 0; y < height; ++y) {
    uchar* row = out->surface_.scanLine(y);
    for (int x = 0; x < width; ++x) {
      const QPoint from = map(x, y);
      if (bitCount_ == 24)
        std::memcpy(row + 3 * x, surface_.constScanLine(from.y()) + 3 * from.x(), 3);
      else
        out->surface_.setPixel(x, y, static_cast<uint>(surface_.pixelIndex(from)));
    }
  }
  return out;
}

std::unique_ptr<cImage> cImage::Mirror(bool vertical) const {
  const int w = Width(), h = Height();
  if (vertical) return Remapped(w, h, [h](int x, int y) { return QPoint(x, h - 1 - y); });
  return Remapped(w, h, [w](int x, int y) { return QPoint(w - 1 - x, y); });
}

std::unique_ptr<cImage> cImage::Rotate(int degrees) const {
  const int w = Width(), h = Height();
  switch (((degrees % 360) + 360) % 360) {
    case 90:  // a quarter turn counter-clockwise: the top edge becomes the left edge
      return Remapped(h, w, [w](int x, int y) { return QPoint(w - 1 - y, x); });
    case 180:
      return Remapped(w, h, [w, h](int x, int y) { return QPoint(w - 1 - x, h - 1 - y); });
    case 270:  // a quarter turn clockwise
      return Remapped(h, w, [h](int x, int y) { return QPoint(y, h - 1 - x); });
    default:
      return nullptr;
  }
}

}  // namespace miravela
