#pragma once
#include <QLockFile>
#include <memory>

#include "base/services.h"

namespace miravela {

// One lock file per program image and program folder; the lock is released when the
// process ends, even after a crash (a stale lock is taken over).
class FileInstanceLock : public InstanceLock {
 public:
  explicit FileInstanceLock(const QString& identity);
  bool TryLock() override;

 private:
  std::unique_ptr<QLockFile> lock_;
};

}  // namespace miravela
