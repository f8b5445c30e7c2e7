// The capture format file (CFG): "key=value" lines the program writes and a user may edit.
#include "capture/stream_format.h"
#include "comun.h"
#include "driver.h"

namespace miravela::fuzz {

std::vector<QByteArray> Semillas() {
  std::vector<QByteArray> semillas;
  for (const StreamFormat& f : {StreamFormat{QSize(640, 480), FrameRate{30, 1}, QStringLiteral("mjpeg")},
                                StreamFormat{QSize(1920, 1080), FrameRate{30000, 1001}, QStringLiteral("yuyv422")},
                                StreamFormat{QSize(320, 240), FrameRate{}, QStringLiteral("h264")}}) {
    const QString archivo = Carpeta() + "/semilla.CFG";
    FUZZ_CHECK(SaveFormatFile(archivo, f));
    semillas.push_back(LeerArchivo(archivo));
  }
  return semillas;
}

std::vector<QByteArray> Palabras() { return {"=", "\n", "size=", "rate=", "pixel_format=", "x", "/", "-1", "0"}; }

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela;
  const QString archivo = fuzz::Carpeta() + "/Miravela.CFG";
  fuzz::EscribirArchivo(archivo, fuzz::Bytes(data, size));
  const std::optional<StreamFormat> leido = LoadFormatFile(archivo);
  FUZZ_CHECK(leido == ParseFormat(fuzz::Bytes(data, size)));
  if (leido) {
    // A format the reader accepts is one the writer writes back the same.
    FUZZ_CHECK(ParseFormat(SerializeFormat(*leido)) == leido);
    (void)FormatRateText(leido->rate);
  }
  return 0;
}
