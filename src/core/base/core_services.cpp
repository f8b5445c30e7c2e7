#include "base/core_services.h"

#include <QProcess>
#include <QStandardPaths>

namespace miravela {

bool ProcessLauncher::StartDetached(const QString& program, const QStringList& arguments,
                                    const QString& workingFolder) {
  return QProcess::startDetached(program, arguments, workingFolder);
}

bool ProcessLauncher::OpenWithDefault(const QString& path) {
  return QProcess::startDetached(QStringLiteral("xdg-open"), {path});
}

QString XdgDesktopFolder::Path() { return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation); }

}  // namespace miravela
