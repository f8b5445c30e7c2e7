// The cameras file: lines of "name = URL" written by hand.
#include "capture/camera_list.h"
#include "comun.h"
#include "driver.h"

namespace miravela::fuzz {

std::vector<QByteArray> Semillas() {
  return {QByteArray("# cámaras de la casa\r\nPatio = http://cam/video.mjpg\r\n"),
          QByteArray("\xEF\xBB\xBF"
                     "Entrada = rtsp://10.0.0.5:554/stream1\nPrueba = lavfi:testsrc=size=320x240:rate=5\n"),
          ("Demo = lavfi:" + DemoSceneGraph() + "\nNodo = /dev/video4\n").toUtf8()};
}

std::vector<QByteArray> Palabras() {
  return {"=", "lavfi:", "/dev/video", "#", "\r\n", "\n", " ", "\t", "\xEF\xBB\xBF"};
}

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela;
  for (const CameraSource& camera : ParseCamerasFile(fuzz::Bytes(data, size))) {
    FUZZ_CHECK(!camera.name.isEmpty() && !camera.location.isEmpty());
    FUZZ_CHECK(camera.name == camera.name.trimmed() && !camera.name.contains('\n'));
    FUZZ_CHECK(camera.kind != SourceKind::Filter || !camera.location.trimmed().isEmpty());
  }
  return 0;
}
