#include "base/version.h"

namespace miravela {

const char* VersionPrograma() { return MIRAVELA_VERSION; }

QString NombreVersion() { return QStringLiteral("Miravela ") + QString::fromLatin1(VersionPrograma()); }

}  // namespace miravela
