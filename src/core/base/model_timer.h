#pragma once
// Timers of the presentation model. They hold the state a window timer shows
// (enabled, interval, tag) and are driven by a Clock, so tests run minutes of
// program time in microseconds and the real program runs them on Qt's event loop.
#include <QDateTime>
#include <QString>
#include <functional>

#include "base/hook.h"

namespace miravela {

class ModelTimer;

class Clock {
 public:
  virtual ~Clock() = default;
  // Local wall-clock time: photograph names, day folders and the scheduler read it.
  virtual QDateTime Now() const = 0;
  // Called whenever a timer is enabled, disabled or given a new interval; either
  // restarts its countdown, as window timers do.
  virtual void TimerChanged(ModelTimer& timer) = 0;
  virtual void TimerDestroyed(ModelTimer& timer) = 0;
};

class ModelTimer {
 public:
  ModelTimer(Clock& clock, QString name, int intervalMs);
  ~ModelTimer();
  ModelTimer(const ModelTimer&) = delete;
  ModelTimer& operator=(const ModelTimer&) = delete;

  const QString& Name() const { return name_; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  // An interval of 0 stops the timer from firing, as it does a window timer.
  void SetInterval(int ms);
  QString Tag;

  Hook<void()> OnTimer;
  // Raised by the clock when the interval has passed.
  void Fire();

 private:
  Clock& clock_;
  QString name_;
  int interval_;
  bool enabled_ = false;
};

}  // namespace miravela
