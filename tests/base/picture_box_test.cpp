#include "base/picture_box.h"

#include <gtest/gtest.h>

#include <limits>

namespace miravela {
namespace {

QImage Solid(int w, int h, Color c) {
  QImage image(w, h, QImage::Format_RGB32);
  image.fill(ToQRgb(c));
  return image;
}

// Each pixel a different colour: x in red, y in green.
QImage Ramp(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 16 + (y / 256)));
  return image;
}

TEST(PictureBox, SizesInTwipsAndPixels) {
  PictureBox p(15, 15, 324, 244);
  EXPECT_EQ(p.Width(), 4860);
  EXPECT_EQ(p.Height(), 3660);
  EXPECT_EQ(p.ScaleWidth(), 4860);
  PictureBox hiDpi(12, 12);
  hiDpi.SetSizeTwips(4860, 3660);
  EXPECT_EQ(hiDpi.WidthPixels(), 405);
  EXPECT_EQ(hiDpi.HeightPixels(), 305);
  EXPECT_EQ(hiDpi.PixelX(4859), 404);
  EXPECT_EQ(hiDpi.Image().size(), QSize(405, 305));
}

TEST(PictureBox, PointReadsAndWritesInTwips) {
  PictureBox p(15, 15, 10, 10);
  p.PSet(45, 30, Rgb(1, 2, 3));
  EXPECT_EQ(p.Point(45, 30), Rgb(1, 2, 3));
  EXPECT_EQ(p.Point(59, 44), Rgb(1, 2, 3));  // same pixel (3, 2)
  EXPECT_EQ(p.Point(60, 30), 0);
  EXPECT_EQ(p.Point(-1, 0), kSinColor);
  EXPECT_EQ(p.Point(150, 0), kSinColor);
  EXPECT_EQ(p.Point(0, 150), kSinColor);
}

TEST(PictureBox, MarksNeverReachThePicture) {
  PictureBox preview(15, 15, 20, 20);
  preview.SetPicture(Solid(20, 20, 0x102030));
  preview.Circle(150, 150, 1, 0xFF);
  EXPECT_EQ(preview.Point(150, 150), 0xFFu);
  EXPECT_EQ(FromQRgb(preview.Picture().pixel(10, 10)), 0x102030u);

  PictureBox reference(15, 15, 20, 20);
  reference.SetPicture(preview.Picture());
  EXPECT_EQ(reference.Point(150, 150), 0x102030);

  preview.Cls();
  EXPECT_EQ(preview.Point(150, 150), 0x102030);
  preview.PSet(0, 0, 0xFF);
  preview.CommitImage();
  EXPECT_EQ(FromQRgb(preview.Picture().pixel(0, 0)), 0xFFu);
}

TEST(PictureBox, TinyCircleIsADotAsWideAsThePen) {
  PictureBox p(15, 15, 10, 10);
  p.DrawWidth = 3;
  p.Circle(75, 75, 1, 0xFF);
  for (int y = 3; y <= 7; ++y)
    for (int x = 3; x <= 7; ++x) {
      const bool inside = x >= 4 && x <= 6 && y >= 4 && y <= 6;
      EXPECT_EQ(p.Point(x * 15, y * 15), inside ? 0xFF : 0) << x << "," << y;
    }
  p.DrawWidth = 1;
  p.Circle(15, 15, 1, 0xFF00);
  EXPECT_EQ(p.Point(15, 15), 0xFF00);
  EXPECT_EQ(p.Point(30, 15), 0);
}

TEST(PictureBox, LinesAndBoxesAreClippedToThePicture) {
  PictureBox p(15, 15, 20, 20);
  p.Line(-5000, 150, 5000, 150, 0xFF00);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(p.Point(x * 15, 150), 0xFF00);
  EXPECT_EQ(p.Point(0, 135), 0);
  p.Box(30, 30, 90, 75, 0xFF);
  EXPECT_EQ(p.Point(30, 30), 0xFF);
  EXPECT_EQ(p.Point(90, 75), 0xFF);
  EXPECT_EQ(p.Point(90, 45), 0xFF);
  EXPECT_EQ(p.Point(60, 60), 0);  // outline only
  EXPECT_EQ(p.Point(105, 75), 0);
}

TEST(PictureBox, ResizeKeepsTheTopLeftCorner) {
  PictureBox p(15, 15, 4, 4);
  p.PSet(15, 15, 0xFF);
  p.SetSizePixels(8, 2);
  EXPECT_EQ(p.Point(15, 15), 0xFF);
  EXPECT_EQ(p.Point(105, 15), 0);
  EXPECT_EQ(p.Point(15, 30), kSinColor);
}

TEST(PictureBox, ASizeWhosePictureCannotBeMadeLeavesTheBoxAsItWas) {
  for (const QSize size : {QSize(100'000'000, 2), QSize(std::numeric_limits<int>::max(), 3)}) {
    PictureBox p(15, 15, 4, 3);
    p.PSet(15, 15, 0xFF);
    const QImage before = p.Image().copy();
    p.SetSizePixels(size.width(), size.height());
    EXPECT_EQ(QSize(p.WidthPixels(), p.HeightPixels()), QSize(4, 3)) << size.width();
    EXPECT_EQ(p.Image(), before);
    p.SetSizePixels(2, 2);  // and it still resizes afterwards
    EXPECT_EQ(p.Point(15, 15), 0xFF);
  }
}

TEST(PictureBox, PaintPictureStretchesAndCrops) {
  PictureBox p(15, 15, 10, 10);
  QImage src = Solid(2, 2, 0x0000FF);
  src.setPixel(1, 1, ToQRgb(0xFF0000));
  p.PaintPicture(src, 0, 0, 300, 300);  // 20 x 20 pixels: only the top-left quarter shows
  EXPECT_EQ(p.Point(0, 0), 0x0000FF);
  EXPECT_EQ(p.Point(135, 135), 0x0000FF);
  p.PaintPicture(src, 0, 0, 150, 150);
  EXPECT_EQ(p.Point(135, 135), 0xFF0000);
  EXPECT_EQ(p.Point(60, 60), 0x0000FF);
}

// The run-copy path must give exactly what plain nearest-neighbour sampling gives.
TEST(PictureBox, StretchMatchesNearestNeighbour) {
  const QImage src = Ramp(300, 200);
  struct Case {
    int x, y, w, h;
  } cases[] = {{0, 0, 304, 204}, {0, 0, 150, 100}, {7, -3, 290, 230}, {-20, 5, 1000, 700}, {0, 0, 300, 200}};
  for (const Case& c : cases) {
    QImage dest = Solid(310, 210, 0);
    StretchInto(dest, src, c.x, c.y, c.w, c.h);
    for (int y = 0; y < dest.height(); ++y)
      for (int x = 0; x < dest.width(); ++x) {
        const int i = x - c.x, j = y - c.y;
        QRgb want = ToQRgb(0);
        if (i >= 0 && j >= 0 && i < c.w && j < c.h)
          want = src.pixel(static_cast<int>((2LL * i + 1) * 300 / (2LL * c.w)),
                           static_cast<int>((2LL * j + 1) * 200 / (2LL * c.h)));
        ASSERT_EQ(dest.pixel(x, y), want) << c.w << "x" << c.h << " at " << x << "," << y;
      }
  }
}

TEST(PictureBox, FormPicturesHaveTheirSizes) {
  FormPictures p;
  EXPECT_EQ(QSize(p.Picture1.Width(), p.Picture1.Height()), QSize(4860, 3660));
  EXPECT_EQ(p.Picture2.Image().size(), QSize(324, 244));
  EXPECT_EQ(p.Picture4.Image().size(), QSize(644, 484));
}

}  // namespace
}  // namespace miravela
