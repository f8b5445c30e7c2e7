// The background picture "C<n>.jpg" of the backgrounds folder, shown while no camera is connected.
#include "alarm/jpeg/jpeg_encoder.h"
#include "base/picture_box.h"
#include "comun.h"
#include "driver.h"

namespace miravela::fuzz {
namespace {

QImage Rampa(int w, int h) {
  QImage image(w, h, QImage::Format_RGB32);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.setPixel(x, y, qRgb(x * 8, y * 8, (x + y) * 4));
  return image;
}

QByteArray Codificada(int quality, bool grey) {
  cJpeg jpeg;
  jpeg.SetQuality(quality);
  if (grey) jpeg.SetSamplingFrequencies(1, 1, 0, 0, 0, 0);
  const QImage ramp = Rampa(24, 17);
  FUZZ_CHECK(jpeg.SampleHDC(ramp, ramp.width(), ramp.height()) == 0);
  const auto bytes = jpeg.Encode();
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

}  // namespace

std::vector<QByteArray> Semillas() { return {Codificada(75, false), Codificada(10, true), Codificada(100, false)}; }

std::vector<QByteArray> Palabras() {
  return {QByteArray("\xFF\xD8", 2), QByteArray("\xFF\xC0", 2), QByteArray("\xFF\xC4", 2), QByteArray("\xFF\xDA", 2),
          QByteArray("\xFF\xD9", 2), QByteArray("\xFF\xDB", 2), QByteArray("\xFF\xDD", 2), QByteArray("\xFF\xFE", 2)};
}

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela;
  const QString archivo = fuzz::Carpeta() + "/C1.jpg";
  fuzz::EscribirArchivo(archivo, fuzz::Bytes(data, size));
  const QImage fondo(archivo);  // read as the start-up reads it
  if (fondo.isNull()) return 0;
  PictureBox picture(15, 15, 324, 244);
  picture.SetPicture(fondo);
  FUZZ_CHECK(picture.Image().size() == QSize(324, 244));
  return 0;
}
