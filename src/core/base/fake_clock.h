#pragma once
// A clock that only moves when told to: tests and benchmarks run minutes or days
// of program time at once, with every timer firing in the order it would.
#include <map>

#include "base/model_timer.h"

namespace miravela {

class FakeClock : public Clock {
 public:
  explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 10), QTime(12, 0, 0))) : now_(std::move(start)) {}

  QDateTime Now() const override { return now_; }
  void TimerChanged(ModelTimer& timer) override;
  void TimerDestroyed(ModelTimer& timer) override { due_.erase(&timer); }

  // Moves time forward by `ms`, firing every timer that falls due on the way.
  void Advance(qint64 ms);
  // Sets the wall clock without firing timers (a new day, a change of the system time).
  void SetNow(const QDateTime& now) { now_ = now; }

 private:
  QDateTime now_;
  qint64 elapsed_ = 0;                 // program time in ms since the clock was made
  std::map<ModelTimer*, qint64> due_;  // next firing, in program time
};

}  // namespace miravela
