#pragma once
// cImage: one device-independent bitmap of 1, 4, 8 or 24 bits held in memory, with its
// pixel surface (a QImage) standing in for the device context that others draw into,
// read from, or hand to the JPEG encoder. Transformed copies are new images; the
// source is left as it is.
#include <QImage>
#include <QList>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

namespace miravela {

class cImage {
 public:
  // Raster operations of PaintHDC (the classic ternary codes).
  enum RasterOp : std::uint32_t {
    kSrcCopy = 0x00CC0020,
    kSrcPaint = 0x00EE0086,   // source OR destination
    kSrcAnd = 0x008800C6,     // source AND destination
    kSrcInvert = 0x00660046,  // source XOR destination
    kNotSrcCopy = 0x00330008,
    kDstInvert = 0x00550009,
    kBlackness = 0x00000042,
    kWhiteness = 0x00FF0062,
  };

  int Width() const { return surface_.isNull() ? 0 : surface_.width(); }
  int Height() const { return surface_.isNull() ? 0 : surface_.height(); }
  int BitCount() const { return bitCount_; }
  // The pixel surface: Mono for 1 bit, Indexed8 for 4 and 8 bits, BGR888 for 24.
  QImage& hDC() { return surface_; }
  const QImage& hDC() const { return surface_; }
  int BytesPerScanLine() const { return BytesPerScanLine(Width(), bitCount_); }
  static int BytesPerScanLine(int width, int bitCount);
  // The pixels in bitmap-file layout: rows bottom-up, BytesPerScanLine bytes each,
  // 4-bit pixels packed two to a byte.
  std::vector<std::uint8_t> DIBits() const;
  QList<QRgb> ColourTable() const { return surface_.colorTable(); }
  // The grey ramp a new paletted image starts with.
  static QList<QRgb> GreyRamp(int bitCount);

  // A new black image; false (and an empty image) for a bad size or bit count.
  bool Create(int width, int height, int bitCount);
  // The picture at its own depth (0), 16 bits and more taken as 24, or at 1, 4, 8, 24.
  bool CopyStdPicture(const QImage& picture, int bitCount = 0);
  bool CopyHDC(const QImage& source, int width, int height, int bitCount = 0, int left = 0, int top = 0);
  bool CopyPalletHDC(const QImage& source);
  void PaintHDC(QImage& target, int left = 0, int top = 0, RasterOp op = kSrcCopy) const;

  std::unique_ptr<cImage> Greyscale() const;
  std::unique_ptr<cImage> Resample(int width, int height) const;
  std::unique_ptr<cImage> Mirror(bool vertical) const;
  // Only 90, 180 and 270 (after bringing the angle into 0..359) give an image.
  std::unique_ptr<cImage> Rotate(int degrees) const;

 private:
  void Release();
  bool Adopt(const QImage& picture, int bitCount, const QList<QRgb>& table);
  // A same-depth copy whose pixel (x, y) comes from source pixel map(x, y).
  template <typename Map>
  std::unique_ptr<cImage> Remapped(int width, int height, Map map) const;

  QImage surface_;
  int bitCount_ = 0;
};

// Writes `picture` as a 24-bit bitmap file (rows bottom-up, padded to four bytes),
// replacing a file of that name. Blue-green-red pictures are written as they are
// stored; others are converted first. False when the file could not be written.
bool SaveBitmap24(const QImage& picture, const QString& path);

}  // namespace miravela
