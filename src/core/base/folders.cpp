#include "base/folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace miravela {

bool Existe(const QString& nombreArchivo) {
  if (nombreArchivo.isEmpty()) return false;
  const QFileInfo info(nombreArchivo);
  return info.exists() && info.isFile();
}

bool ExisteCarpeta(const QString& carpeta) {
  if (carpeta.isEmpty()) return false;
  return QFileInfo(carpeta).isDir();
}

void CrearCarpeta(const QString& carpeta) {
  if (carpeta.isEmpty() || ExisteCarpeta(carpeta)) return;
  QDir().mkdir(carpeta);
}

void LimpiarAtributos(const QString& nombreArchivo) {
  QFile file(nombreArchivo);
  if (file.exists()) file.setPermissions(file.permissions() | QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void EliminarArchivo(const QString& nombreArchivo) { QFile::remove(nombreArchivo); }

}  // namespace miravela
