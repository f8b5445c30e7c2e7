#pragma once
// Small helpers the fuzz targets share: a private folder for the files a reader opens.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace miravela::fuzz {

inline QByteArray Bytes(const std::uint8_t* data, std::size_t size) {
  return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

// One folder for the whole run, removed at exit.
inline const QString& Carpeta() {
  static QTemporaryDir dir;
  static const QString path = dir.path();
  return path;
}

inline QByteArray LeerArchivo(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void EscribirArchivo(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
}

}  // namespace miravela::fuzz
