#pragma once
// Runs model timers on Qt's event loop in real time.
#include <QObject>
#include <QTimer>
#include <map>
#include <memory>

#include "base/model_timer.h"

namespace miravela {

class QtClock : public Clock {
 public:
  QDateTime Now() const override { return QDateTime::currentDateTime(); }
  void TimerChanged(ModelTimer& timer) override;
  void TimerDestroyed(ModelTimer& timer) override { timers_.erase(&timer); }

 private:
  std::map<ModelTimer*, std::unique_ptr<QTimer>> timers_;
};

}  // namespace miravela
