#include "base/qt_clock.h"

namespace miravela {

void QtClock::TimerChanged(ModelTimer& timer) {
  auto& slot = timers_[&timer];
  if (!slot) {
    slot = std::make_unique<QTimer>();
    slot->setTimerType(Qt::PreciseTimer);
    QObject::connect(slot.get(), &QTimer::timeout, [&timer] { timer.Fire(); });
  }
  slot->stop();
  if (timer.Enabled() && timer.Interval() > 0) slot->start(timer.Interval());
}

}  // namespace miravela
