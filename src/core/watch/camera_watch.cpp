#include "watch/camera_watch.h"

#include <algorithm>

#include "watch/luma.h"

namespace miravela {

CameraWatch::CameraWatch(Entorno entorno)
    : TmrVigia(entorno.clock, QStringLiteral("TmrVigia"), kIntervaloVigia), e_(std::move(entorno)) {
  TmrVigia.OnTimer = [this] { Revisar(); };
}

std::int64_t CameraWatch::Ahora() {
  const QDateTime now = e_.clock.Now();
  if (ultimaLectura_.isValid()) tiempo_ += std::clamp<std::int64_t>(ultimaLectura_.msecsTo(now), 0, kPasoMaximoMs);
  ultimaLectura_ = now;
  return tiempo_;
}

void CameraWatch::Vigilar(bool conectada) {
  conectada_ = conectada;
  hueco_ = true;  // the first frame is a return too: a slow stream outlasts the start's grace
  ultimoFotograma_ = 0;
  const std::int64_t limit = std::int64_t{e_.ajustes.vigiaSegundos} * 1000;
  lost_ = LostCameraRule(limit);
  covered_ = CoveredCameraRule(limit);
  if (conectada) lost_.Start(Ahora());
  TmrVigia.SetEnabled(conectada && limit > 0);
}

void CameraWatch::Visto(const QImage& frame) {
  if (!conectada_) return;
  if (frame.isNull()) {
    hueco_ = true;
    return;
  }
  // The same picture handed out again is no sign of life.
  if (frame.cacheKey() == ultimoFotograma_) return;
  ultimoFotograma_ = frame.cacheKey();
  const std::int64_t now = Ahora();
  if (lost_.Frame(now) == LostCameraRule::Change::Recovered) e_.avisar(CameraWatchEvent::Recuperada);
  if (hueco_) e_.avisar(CameraWatchEvent::Reanudada);
  hueco_ = false;
  if (covered_.Sample(now, MeasureLuma(frame).detail)) e_.avisar(CameraWatchEvent::Tapada);
}

void CameraWatch::Revisar() {
  Visto(e_.fotograma());
  if (lost_.Check(Ahora()) != LostCameraRule::Change::Lost) return;
  hueco_ = true;
  covered_.Reset();
  e_.avisar(CameraWatchEvent::Perdida);
}

}  // namespace miravela
