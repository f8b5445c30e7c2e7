#pragma once
// The program's version as people see it ("11.23"), taken from the build's one record of it.
#include <QString>

namespace miravela {

const char* VersionPrograma();
// "Miravela 11.23": the title, the read-me's first line.
QString NombreVersion();

}  // namespace miravela
