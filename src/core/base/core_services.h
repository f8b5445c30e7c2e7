#pragma once
// Real services that need no widgets.
#include "base/services.h"

namespace miravela {

class ProcessLauncher : public Launcher {
 public:
  bool StartDetached(const QString& program, const QStringList& arguments, const QString& workingFolder) override;
  bool OpenWithDefault(const QString& path) override;
};

class XdgDesktopFolder : public DesktopFolder {
 public:
  QString Path() override;
};

}  // namespace miravela
