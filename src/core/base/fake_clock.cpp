#include "base/fake_clock.h"

namespace miravela {

void FakeClock::TimerChanged(ModelTimer& timer) {
  if (timer.Enabled() && timer.Interval() > 0)
    due_[&timer] = elapsed_ + timer.Interval();
  else
    due_.erase(&timer);
}

void FakeClock::Advance(qint64 ms) {
  const qint64 target = elapsed_ + ms;
  for (;;) {
    ModelTimer* next = nullptr;
    qint64 when = target + 1;
    for (const auto& [timer, due] : due_) {
      if (due < when) {
        when = due;
        next = timer;
      }
    }
    if (!next) break;
    now_ = now_.addMSecs(when - elapsed_);
    elapsed_ = when;
    due_[next] = when + next->Interval();
    next->Fire();
  }
  now_ = now_.addMSecs(target - elapsed_);
  elapsed_ = target;
}

}  // namespace miravela
