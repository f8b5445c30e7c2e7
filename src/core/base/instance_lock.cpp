#include "base/instance_lock.h"

#include <QCryptographicHash>
#include <QDir>
#include <QStandardPaths>

namespace miravela {

FileInstanceLock::FileInstanceLock(const QString& identity) {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  const QByteArray hash = QCryptographicHash::hash(identity.toUtf8(), QCryptographicHash::Sha1).toHex();
  lock_ = std::make_unique<QLockFile>(folder + "/miravela-" + QString::fromLatin1(hash.left(16)) + ".lock");
  lock_->setStaleLockTime(0);
}

bool FileInstanceLock::TryLock() { return lock_->isLocked() || lock_->tryLock(0); }

}  // namespace miravela
