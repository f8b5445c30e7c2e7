// cImage on small fixtures: depths, row layout, copies, painting and the transforms.
#include "alarm/dib_image.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include "alarm/jpeg/jpeg_encoder.h"

namespace miravela {
namespace {

// A 3 x 2 picture whose every pixel differs: (x, y) has red 10 + x, green 20 + y.
QImage Fixture(int w = 3, int h = 2) {
  QImage img(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.setPixel(x, y, qRgb(10 + x, 20 + y, 200));
  return img;
}

QRgb At(const cImage& image, int x, int y) { return image.hDC().pixel(x, y) & 0xFFFFFF; }

TEST(DibImageTest, BytesPerScanLinePadsRowsToFourBytes) {
  struct Case {
    int width, bits, bytes;
  };
  const Case cases[] = {{1, 24, 4}, {33, 1, 8}, {1, 1, 4}, {32, 1, 4}, {9, 4, 8},
                        {8, 4, 4},  {5, 8, 8},  {4, 8, 4}, {2, 24, 8}, {4, 24, 12}};
  for (const Case& c : cases) {
    EXPECT_EQ(cImage::BytesPerScanLine(c.width, c.bits), c.bytes) << c.width << " x " << c.bits;
    cImage image;
    ASSERT_TRUE(image.Create(c.width, 3, c.bits));
    EXPECT_EQ(image.BytesPerScanLine(), c.bytes);
    EXPECT_EQ(image.DIBits().size(), static_cast<std::size_t>(3 * c.bytes));
  }
}

TEST(DibImageTest, PalettedImagesStartWithAGreyRamp) {
  const QList<QRgb> one = cImage::GreyRamp(1), four = cImage::GreyRamp(4), eight = cImage::GreyRamp(8);
  ASSERT_EQ(one.size(), 2);
  EXPECT_EQ(one[0], qRgb(0, 0, 0));
  EXPECT_EQ(one[1], qRgb(255, 255, 255));
  ASSERT_EQ(four.size(), 16);
  EXPECT_EQ(four[1], qRgb(17, 17, 17));
  EXPECT_EQ(four[15], qRgb(255, 255, 255));
  ASSERT_EQ(eight.size(), 256);
  EXPECT_EQ(eight[128], qRgb(128, 128, 128));
  cImage image;
  ASSERT_TRUE(image.Create(4, 4, 4));
  EXPECT_EQ(image.ColourTable(), four);
}

TEST(DibImageTest, BadSizesAndDepthsLeaveTheImageEmpty) {
  cImage image;
  EXPECT_EQ(image.Width(), 0);
  for (int bits : {0, 2, 16, 32}) EXPECT_FALSE(image.Create(4, 4, bits)) << bits;
  EXPECT_FALSE(image.Create(0, 4, 24));
  EXPECT_FALSE(image.CopyStdPicture(QImage()));
  EXPECT_FALSE(image.CopyStdPicture(Fixture(), 16));
  EXPECT_EQ(image.Width(), 0);
  EXPECT_EQ(image.BitCount(), 0);
}

TEST(DibImageTest, DIBitsAreBottomUpInFileLayout) {
  cImage image;
  ASSERT_TRUE(image.CopyStdPicture(Fixture()));
  const std::vector<std::uint8_t> bits = image.DIBits();
  // First stored row is the bottom one (y = 1); pixels in blue, green, red order.
  EXPECT_EQ(bits[0], 200);
  EXPECT_EQ(bits[1], 21);
  EXPECT_EQ(bits[2], 10);
  EXPECT_EQ(bits[12 + 1], 20);  // second stored row is the top one
  // 4 bits: two pixels a byte, the left one in the high nibble.
  cImage grey;
  ASSERT_TRUE(grey.Create(3, 1, 4));
  grey.hDC().setPixel(0, 0, 0xA);
  grey.hDC().setPixel(1, 0, 0x5);
  grey.hDC().setPixel(2, 0, 0xF);
  const std::vector<std::uint8_t> packed = grey.DIBits();
  EXPECT_EQ(packed[0], 0xA5);
  EXPECT_EQ(packed[1], 0xF0);
}

// Widths with and without row padding; pictures already in bitmap order and not.
TEST(DibImageTest, SaveBitmap24WritesBottomUpPaddedRowsAndReplacesTheFile) {
  QTemporaryDir dir;
  const QString path = dir.path() + "/PICTMP.bmp";
  QFile old(path);
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.write(QByteArray(100000, 'x'));  // longer than any bitmap below
  old.close();
  struct Case {
    int width, height;
    QImage::Format format;
  };
  for (const Case& c :
       {Case{3, 2, QImage::Format_RGB32}, Case{4, 3, QImage::Format_BGR888}, Case{5, 1, QImage::Format_RGB888},
        Case{2, 4, QImage::Format_BGR888}, Case{37, 3, QImage::Format_RGB32}, Case{34, 2, QImage::Format_ARGB32}}) {
    const QImage picture = Fixture(c.width, c.height).convertToFormat(c.format);
    ASSERT_TRUE(SaveBitmap24(picture, path)) << c.width;
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    const int stride = cImage::BytesPerScanLine(c.width, 24);
    ASSERT_EQ(bytes.size(), 54 + stride * c.height) << c.width;
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[28]), 24);  // bits per pixel
    // The first stored row is the bottom one, in blue, green, red order, padded with zeros.
    const auto* pixels = reinterpret_cast<const std::uint8_t*>(bytes.constData()) + 54;
    EXPECT_EQ(pixels[0], 200);
    EXPECT_EQ(pixels[1], 20 + c.height - 1);
    EXPECT_EQ(pixels[2], 10);
    for (int i = 3 * c.width; i < stride; ++i) EXPECT_EQ(pixels[i], 0) << c.width;
    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes, "BMP"));
    EXPECT_EQ(back.convertToFormat(QImage::Format_RGB32), picture.convertToFormat(QImage::Format_RGB32));
  }
  EXPECT_FALSE(SaveBitmap24(QImage(), path));
  EXPECT_FALSE(SaveBitmap24(Fixture(), dir.path() + "/missing/PICTMP.bmp"));
}

TEST(DibImageTest, CopyStdPictureTakesTheDepthsTheEncoderNeeds) {
  struct Case {
    QImage::Format format;
    int bits;
  };
  const Case cases[] = {{QImage::Format_RGB16, 24},  {QImage::Format_RGB555, 24}, {QImage::Format_RGB888, 24},
                        {QImage::Format_RGB32, 24},  {QImage::Format_ARGB32, 24}, {QImage::Format_Mono, 1},
                        {QImage::Format_Indexed8, 8}};
  for (const Case& c : cases) {
    cImage image;
    ASSERT_TRUE(image.CopyStdPicture(Fixture().convertToFormat(c.format))) << c.format;
    EXPECT_EQ(image.BitCount(), c.bits) << c.format;
    EXPECT_EQ(image.Width(), 3);
    EXPECT_EQ(image.Height(), 2);
  }
  cImage colour;
  ASSERT_TRUE(colour.CopyStdPicture(Fixture()));
  EXPECT_EQ(At(colour, 2, 1), qRgb(12, 21, 200) & 0xFFFFFF);
  // A paletted picture keeps its own colour table.
  QImage indexed(2, 1, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(255, 0, 0), qRgb(0, 0, 255)});
  indexed.setPixel(0, 0, 1);
  indexed.setPixel(1, 0, 0);
  cImage paletted;
  ASSERT_TRUE(paletted.CopyStdPicture(indexed));
  EXPECT_EQ(paletted.BitCount(), 8);
  EXPECT_EQ(paletted.ColourTable()[0], qRgb(255, 0, 0));
  EXPECT_EQ(paletted.hDC().pixelIndex(0, 0), 1);
  // Asked for 8 bits, a colour picture lands on the nearest grey of the ramp.
  cImage asGrey;
  ASSERT_TRUE(asGrey.CopyStdPicture(QImage(1, 1, QImage::Format_RGB32), 8));
  EXPECT_EQ(asGrey.BitCount(), 8);
}

TEST(DibImageTest, APhotographGoesFromPictureThroughTheImageIntoTheEncoder) {
  QImage frame(48, 32, QImage::Format_ARGB32);  // a 32-bit screen's picture
  frame.fill(qRgb(30, 140, 220));
  cImage image;
  ASSERT_TRUE(image.CopyStdPicture(frame));
  ASSERT_EQ(image.BitCount(), 24);
  cJpeg jpeg;
  jpeg.SetSamplingFrequencies(1, 1, 1, 1, 1, 1);
  ASSERT_EQ(jpeg.SampleHDC(image.hDC(), image.Width(), image.Height()), cJpeg::kSampled);
  const auto file = jpeg.Encode();
  QImage decoded;
  ASSERT_TRUE(decoded.loadFromData(file.data(), static_cast<int>(file.size()), "JPG"));
  const QRgb c = decoded.pixel(20, 20);
  EXPECT_NEAR(qRed(c), 30, 3);
  EXPECT_NEAR(qGreen(c), 140, 3);
  EXPECT_NEAR(qBlue(c), 220, 3);
}

TEST(DibImageTest, CopyHDCChoosesTheDepthFromTheColourTable) {
  struct Case {
    int colours, bits;
  };
  const Case cases[] = {{0, 24}, {2, 1}, {3, 4}, {16, 4}, {17, 8}, {256, 8}};
  for (const Case& c : cases) {
    QImage source = Fixture(6, 5);
    if (c.colours > 0) {
      QList<QRgb> table;
      for (int i = 0; i < c.colours; ++i) table.push_back(qRgb(i, i, i));
      source = QImage(6, 5, QImage::Format_Indexed8);
      source.setColorTable(table);
      source.fill(1);
    }
    cImage image;
    ASSERT_TRUE(image.CopyHDC(source, 4, 3, 0, 1, 1)) << c.colours;
    EXPECT_EQ(image.BitCount(), c.bits) << c.colours;
    EXPECT_EQ(image.Width(), 4);
    if (c.colours > 0) {
      EXPECT_EQ(image.ColourTable()[1], qRgb(1, 1, 1));
    }
  }
  cImage part;
  ASSERT_TRUE(part.CopyHDC(Fixture(6, 5), 2, 2, 24, 3, 2));
  EXPECT_EQ(At(part, 0, 0), qRgb(13, 22, 200) & 0xFFFFFF);
}

TEST(DibImageTest, CopyPalletHDCCopiesWhatFits) {
  QImage source(2, 2, QImage::Format_Indexed8);
  source.setColorTable({qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9)});
  cImage mono;
  ASSERT_TRUE(mono.Create(2, 2, 1));
  EXPECT_TRUE(mono.CopyPalletHDC(source));
  EXPECT_EQ(mono.ColourTable(), QList<QRgb>({qRgb(1, 2, 3), qRgb(4, 5, 6)}));
  cImage colour;
  ASSERT_TRUE(colour.Create(2, 2, 24));
  EXPECT_FALSE(colour.CopyPalletHDC(source));  // a 24-bit image has no table
  cImage grey;
  ASSERT_TRUE(grey.Create(2, 2, 8));
  EXPECT_FALSE(grey.CopyPalletHDC(Fixture()));  // nothing to read
}

TEST(DibImageTest, PaintHDCAppliesTheRasterOperation) {
  cImage image;
  ASSERT_TRUE(image.CopyStdPicture(Fixture()));
  struct Case {
    cImage::RasterOp op;
    QRgb expected;  // at the target's (2, 1), over a grey 0x404040 background
  };
  const Case cases[] = {{cImage::kSrcCopy, qRgb(11, 20, 200)},
                        {cImage::kSrcPaint, qRgb(11 | 0x40, 20 | 0x40, 200 | 0x40)},
                        {cImage::kSrcAnd, qRgb(11 & 0x40, 20 & 0x40, 200 & 0x40)},
                        {cImage::kSrcInvert, qRgb(11 ^ 0x40, 20 ^ 0x40, 200 ^ 0x40)},
                        {cImage::kNotSrcCopy, qRgb(255 - 11, 255 - 20, 255 - 200)},
                        {cImage::kBlackness, qRgb(0, 0, 0)}};
  for (const Case& c : cases) {
    QImage target(5, 5, QImage::Format_RGB32);
    target.fill(qRgb(0x40, 0x40, 0x40));
    image.PaintHDC(target, 1, 1, c.op);
    EXPECT_EQ(target.pixel(2, 1), c.expected) << std::hex << c.op;
    EXPECT_EQ(target.pixel(0, 0), qRgb(0x40, 0x40, 0x40));  // outside the image
  }
  QImage small(2, 2, QImage::Format_RGB32);
  small.fill(0);
  image.PaintHDC(small, 1, 1);  // clipped at the target's edge
  EXPECT_EQ(small.pixel(1, 1), qRgb(10, 20, 200));
}

TEST(DibImageTest, GreyscaleAndResample) {
  cImage image;
  ASSERT_TRUE(image.CopyStdPicture(Fixture()));
  const std::unique_ptr<cImage> grey = image.Greyscale();
  ASSERT_TRUE(grey);
  EXPECT_EQ(grey->BitCount(), 8);
  EXPECT_EQ(grey->ColourTable(), cImage::GreyRamp(8));
  EXPECT_EQ(grey->hDC().pixelIndex(0, 0), (10 + 20 + 200 + 1) / 3);

  const std::unique_ptr<cImage> same = image.Resample(3, 2);
  ASSERT_TRUE(same);
  EXPECT_EQ(same->hDC(), image.hDC());
  QImage flat(8, 8, QImage::Format_RGB32);
  flat.fill(qRgb(50, 100, 150));
  cImage big;
  ASSERT_TRUE(big.CopyStdPicture(flat));
  const std::unique_ptr<cImage> smaller = big.Resample(3, 5);
  ASSERT_TRUE(smaller);
  EXPECT_EQ(smaller->Width(), 3);
  EXPECT_EQ(smaller->Height(), 5);
  EXPECT_EQ(smaller->BitCount(), 24);
  EXPECT_EQ(At(*smaller, 1, 2), qRgb(50, 100, 150) & 0xFFFFFF);
  const std::unique_ptr<cImage> greySmaller = grey->Resample(6, 4);
  ASSERT_TRUE(greySmaller);
  EXPECT_EQ(greySmaller->BitCount(), 8);
  EXPECT_EQ(greySmaller->ColourTable(), grey->ColourTable());
}

TEST(DibImageTest, MirrorAndRotateMoveTheCornersAsGiven) {
  cImage image;
  ASSERT_TRUE(image.CopyStdPicture(Fixture()));  // 3 x 2
  const QRgb topLeft = At(image, 0, 0), topRight = At(image, 2, 0), bottomLeft = At(image, 0, 1);
  struct Case {
    const char* name;
    std::unique_ptr<cImage> result;
    int width, height;
    QPoint topLeftTo, topRightTo, bottomLeftTo;
  };
  Case cases[] = {
      {"mirror vertical", image.Mirror(true), 3, 2, {0, 1}, {2, 1}, {0, 0}},
      {"mirror horizontal", image.Mirror(false), 3, 2, {2, 0}, {0, 0}, {2, 1}},
      {"rotate 90", image.Rotate(90), 2, 3, {0, 2}, {0, 0}, {1, 2}},
      {"rotate 180", image.Rotate(180), 3, 2, {2, 1}, {0, 1}, {2, 0}},
      {"rotate 270", image.Rotate(270), 2, 3, {1, 0}, {1, 2}, {0, 0}},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(c.result) << c.name;
    EXPECT_EQ(c.result->Width(), c.width) << c.name;
    EXPECT_EQ(c.result->Height(), c.height) << c.name;
    EXPECT_EQ(At(*c.result, c.topLeftTo.x(), c.topLeftTo.y()), topLeft) << c.name;
    EXPECT_EQ(At(*c.result, c.topRightTo.x(), c.topRightTo.y()), topRight) << c.name;
    EXPECT_EQ(At(*c.result, c.bottomLeftTo.x(), c.bottomLeftTo.y()), bottomLeft) << c.name;
  }
  EXPECT_EQ(image.Rotate(-90)->hDC(), image.Rotate(270)->hDC());
  EXPECT_EQ(image.Rotate(450)->hDC(), image.Rotate(90)->hDC());
  EXPECT_EQ(image.Rotate(45), nullptr);
  EXPECT_EQ(image.Rotate(0), nullptr);
  EXPECT_EQ(At(image, 0, 0), topLeft);  // the source is untouched

  // Paletted images turn too, keeping their table.
  cImage mono;
  ASSERT_TRUE(mono.Create(3, 2, 1));
  mono.hDC().setPixel(0, 0, 1);
  const std::unique_ptr<cImage> turned = mono.Rotate(90);
  ASSERT_TRUE(turned);
  EXPECT_EQ(turned->BitCount(), 1);
  EXPECT_EQ(turned->hDC().pixelIndex(0, 2), 1);
  EXPECT_EQ(turned->hDC().pixelIndex(0, 0), 0);
}

}  // namespace
}  // namespace miravela
