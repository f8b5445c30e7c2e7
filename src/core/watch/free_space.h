#pragma once
// How much room is left where the photographs go.
#include <QString>
#include <cstdint>
#include <optional>

namespace miravela {

struct DiskSpace {
  std::int64_t freeBytes = 0;  // what this program may still write
  std::int64_t totalBytes = 0;
};

class FreeSpaceProbe {
 public:
  virtual ~FreeSpaceProbe() = default;
  // The file system holding `folder`, measured afresh; nothing when it cannot be read.
  virtual std::optional<DiskSpace> Measure(const QString& folder) = 0;
};

// The file system as the system reports it now.
class StorageFreeSpace : public FreeSpaceProbe {
 public:
  std::optional<DiskSpace> Measure(const QString& folder) override;
};

}  // namespace miravela
