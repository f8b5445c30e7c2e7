#pragma once
// Watches the connected camera for the two ways it can stop watching without a word:
// its frames stop (a stream that ended, a webcam unplugged) or its picture goes blank
// (a covered or blinded lens). Either is reported as an alarm; the return of the frames
// is reported too, before the first frame back can be taken for motion.
#include <QDateTime>
#include <QImage>
#include <QString>
#include <functional>

#include "base/hook.h"
#include "base/model_timer.h"
#include "watch/camera_rules.h"
#include "watch/watch_settings.h"

namespace miravela {

enum class CameraWatchEvent {
  Perdida,     // no new frame for the watch time
  Recuperada,  // frames again after Perdida
  Tapada,      // detail gone within seconds and not back for the watch time
  Reanudada,   // a frame after none (the first, or after a gap): no motion may be read across it
};

// The subject of the e-mail alert of a camera lost or covered.
inline constexpr const char* kAsuntoCamaraSinImagen = "Miravela: cámara sin imagen";

inline constexpr int kIntervaloVigia = 1000;
// One reading of the clock never moves the watch on by more than this: a clock set
// forward, or a machine waking from sleep, is not a camera that stopped.
inline constexpr std::int64_t kPasoMaximoMs = 5000;

class CameraWatch {
 public:
  struct Entorno {
    Clock& clock;
    // Read at each connection; a watch time of 0 reports neither a lost nor a covered camera.
    const AjustesVigilancia& ajustes;
    // The camera's newest frame, null while it gives none. Polled once a second, so
    // the watch goes on while the frame loop is slow or suspended.
    Hook<QImage()> fotograma = [] { return QImage(); };
    Hook<void(CameraWatchEvent)> avisar = [](CameraWatchEvent) {};
  };

  explicit CameraWatch(Entorno entorno);

  // The camera was connected, or disconnected: the watch starts afresh, or stops.
  void Vigilar(bool conectada);
  // Every frame the program takes from the camera, before it is used, null included.
  void Visto(const QImage& frame);

  bool Perdida() const { return lost_.Lost(); }
  bool Tapada() const { return covered_.Covered(); }

  ModelTimer TmrVigia;

 private:
  std::int64_t Ahora();
  void Revisar();

  Entorno e_;
  LostCameraRule lost_{0};
  CoveredCameraRule covered_{0};
  bool conectada_ = false;
  bool hueco_ = false;  // the camera gave no frame since the last one (or since connecting)
  qint64 ultimoFotograma_ = 0;
  QDateTime ultimaLectura_;
  std::int64_t tiempo_ = 0;  // program time in ms
};

}  // namespace miravela
