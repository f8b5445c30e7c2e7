#include "base/model_timer.h"

namespace miravela {

ModelTimer::ModelTimer(Clock& clock, QString name, int intervalMs)
    : clock_(clock), name_(std::move(name)), interval_(intervalMs) {}

ModelTimer::~ModelTimer() { clock_.TimerDestroyed(*this); }

void ModelTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  clock_.TimerChanged(*this);
}

void ModelTimer::SetInterval(int ms) {
  interval_ = ms < 0 ? 0 : ms;
  clock_.TimerChanged(*this);
}

void ModelTimer::Fire() {
  if (enabled_ && interval_ > 0 && OnTimer) OnTimer();
}

}  // namespace miravela
