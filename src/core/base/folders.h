#pragma once
// The small file and folder routines the whole program leans on. They never throw
// and never report: a failure simply leaves things as they were.
#include <QString>

namespace miravela {

// A regular file exists under this name (folders and unreadable names do not count).
bool Existe(const QString& nombreArchivo);
bool ExisteCarpeta(const QString& carpeta);
// One level only: the parent must already exist.
void CrearCarpeta(const QString& carpeta);
// Makes a file writable again, so a settings file the user set read-only is still rewritten.
void LimpiarAtributos(const QString& nombreArchivo);
void EliminarArchivo(const QString& nombreArchivo);

}  // namespace miravela
