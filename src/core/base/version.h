#pragma once
// The program's name and version as it shows them (title, read-me, mail), set once by
// the build from the project's version.
#include <QString>

namespace miravela {

inline QString NombreVersion() { return QStringLiteral("Miravela " MIRAVELA_VERSION); }

}  // namespace miravela
