#include "base/day_folders.h"

#include <QDir>
#include <QRegularExpression>

namespace miravela {

bool EsNombreCarpetaDia(const QString& nombre) {
  static const QRegularExpression pattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
  return pattern.match(nombre).hasMatch();
}

bool EsNombreFoto(const QString& nombre) {
  static const QRegularExpression pattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2} \\(\\d{6}\\) \\d+\\.jpg$"));
  return pattern.match(nombre).hasMatch();
}

QStringList CarpetasDia(const QString& carpetaImagenes) {
  QStringList out;
  const QStringList all = QDir(carpetaImagenes).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name);
  for (const QString& name : all)
    if (EsNombreCarpetaDia(name)) out << name;
  return out;
}

void EliminarCarpetaDia(const QString& carpetaDia) {
  QDir dir(carpetaDia);
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (EsNombreFoto(name)) dir.remove(name);
  QDir().rmdir(carpetaDia);  // only succeeds when nothing foreign is left
}

void PodarCarpetasDia(const QString& carpetaImagenes, int conservar) {
  const QStringList carpetas = CarpetasDia(carpetaImagenes);
  qsizetype quedan = carpetas.size();
  for (const QString& name : carpetas) {
    if (quedan < conservar) break;
    const QString carpeta = carpetaImagenes + '/' + name;
    EliminarCarpetaDia(carpeta);
    if (!QDir(carpeta).exists()) --quedan;
  }
}

void EliminarFotosPrograma(const QString& carpetaImagenes) {
  for (const QString& name : CarpetasDia(carpetaImagenes)) EliminarCarpetaDia(carpetaImagenes + '/' + name);
}

}  // namespace miravela
