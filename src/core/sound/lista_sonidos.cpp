#include "sound/lista_sonidos.h"

#include <QDir>

namespace miravela {

QStringList ArchivosSonido(const QString& carpeta) {
  if (carpeta.isEmpty()) return {};
  const QDir dir(carpeta);
  if (!dir.exists()) return {};
  return dir.entryList({QStringLiteral("*.mp3"), QStringLiteral("*.wav")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
}

QString NombreSinExtension(const QString& archivo) {
  const qsizetype punto = archivo.lastIndexOf('.');
  return punto < 0 ? archivo : archivo.left(punto);
}

}  // namespace miravela
