#pragma once
// A picture box of a window as the model holds it. Positions are twips, converted
// with the screen's twips per pixel. Like a window picture box that keeps its own
// drawing, it has two layers: `Picture`, the persistent picture, and `Image`, the
// picture plus everything drawn on it since. Marks go to `Image` only, so a copy of
// `Picture` never carries them.
#include <QImage>

#include "base/control.h"

namespace miravela {

// The value a point read gives outside the picture.
constexpr std::int64_t kSinColor = -1;

class PictureBox {
 public:
  PictureBox(double twipsPerPixelX, double twipsPerPixelY, int widthPixels = 0, int heightPixels = 0);

  double TwipsPerPixelX() const { return tppX_; }
  double TwipsPerPixelY() const { return tppY_; }

  // The box has no border, so its scale size is its size.
  int Width() const;
  int Height() const;
  int ScaleWidth() const { return Width(); }
  int ScaleHeight() const { return Height(); }
  int WidthPixels() const { return widthPx_; }
  int HeightPixels() const { return heightPx_; }
  // Resizing keeps what is drawn at the top-left corner, cut or padded with the back colour.
  // A size whose picture cannot be made leaves the box unchanged.
  void SetSizePixels(int widthPixels, int heightPixels);
  void SetSizeTwips(double widthTwips, double heightTwips);

  bool Visible = true;
  int MousePointer = 0;
  Color BackColor = 0x000000;
  int DrawWidth = 1;  // pixels

  const QImage& Picture() const { return picture_; }
  const QImage& Image() const { return image_; }
  // A new persistent picture, shown from the top-left corner; what was drawn is gone.
  void SetPicture(const QImage& picture);
  // Picture = nothing: the box shows its back colour only.
  void ClearPicture();
  // Cls: drop the drawing, back to the persistent picture.
  void Cls();
  // Picture = Image: what is drawn now becomes the persistent picture.
  void CommitImage();

  // Point read: the colour at a point of `Image`, or kSinColor outside it.
  std::int64_t Point(double x, double y) const;
  // PSet in the current draw width.
  void PSet(double x, double y, Color color);
  void Circle(double x, double y, double radius, Color color);
  void Line(double x1, double y1, double x2, double y2, Color color);
  // Line with the B option: the outline of the box with these corners.
  void Box(double x1, double y1, double x2, double y2, Color color);
  // PaintPicture: `source` stretched over the rectangle given in twips, clipped to the box.
  void PaintPicture(const QImage& source, double x, double y, double width, double height);

  // Pixel of a twip position (the pixel the position falls in).
  int PixelX(double twipsX) const;
  int PixelY(double twipsY) const;
  // Direct writable access for the few passes that touch every pixel.
  QImage& MutableImage() { return image_; }

 private:
  void NewBlankImage();
  void Dot(int px, int py, int size, QRgb rgb);

  double tppX_;
  double tppY_;
  int widthPx_;
  int heightPx_;
  QImage picture_;
  QImage image_;
};

// 0x00BBGGRR to Qt's 0xAARRGGBB and back.
constexpr QRgb ToQRgb(Color c) { return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu); }
constexpr Color FromQRgb(QRgb q) { return ((q >> 16) & 0xFFu) | (q & 0xFF00u) | ((q & 0xFFu) << 16); }

// Nearest-neighbour stretch of `source` into the pixel rectangle (x, y, w, h) of `dest`,
// clipped to `dest`. Both images are 32-bit RGB; runs of columns that map one to one
// are copied whole, so a frame stretched by a few pixels costs little more than a copy.
void StretchInto(QImage& dest, const QImage& source, int x, int y, int w, int h);

// The five pictures of the main window.
struct FormPictures {
  explicit FormPictures(double twipsPerPixelX = 15, double twipsPerPixelY = 15);
  PictureBox Picture1;  // the preview
  PictureBox Picture2;  // the reference: the previous fitted frame
  PictureBox Picture3;  // shown while no camera is connected
  PictureBox Picture4;  // full-size frame buffer and photograph canvas
  PictureBox Picture5;  // night-vision work picture
};

}  // namespace miravela
