#include "watch/free_space.h"

#include <QStorageInfo>

namespace miravela {

std::optional<DiskSpace> StorageFreeSpace::Measure(const QString& folder) {
  // A fresh object each time: a kept one answers from its last reading.
  const QStorageInfo storage(folder);
  if (!storage.isValid() || !storage.isReady()) return std::nullopt;
  return DiskSpace{storage.bytesAvailable(), storage.bytesTotal()};
}

}  // namespace miravela
