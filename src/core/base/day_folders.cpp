#include "base/day_folders.h"

#include <QDir>
#include <QRegularExpression>

namespace miravela {

QString NombreCarpetaDia(const QDate& dia) { return dia.toString(QStringLiteral("yyyy-MM-dd")); }

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

int EliminarCarpetaDia(const QString& carpetaDia) {
  QDir dir(carpetaDia);
  int removed = 0;
  for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
    if (EsNombreFoto(name) && dir.remove(name)) ++removed;
  QDir().rmdir(carpetaDia);  // only succeeds when nothing foreign is left
  return removed;
}

void PodarCarpetasDia(const QString& carpetaImagenes, int conservar) {
  const QStringList carpetas = CarpetasDia(carpetaImagenes);
  qsizetype quedan = carpetas.size();
  for (const QString& name : carpetas) {
    if (quedan < conservar) break;
    EliminarCarpetaDia(carpetaImagenes + '/' + name);
    --quedan;
  }
}

void EliminarFotosPrograma(const QString& carpetaImagenes) {
  for (const QString& name : CarpetasDia(carpetaImagenes)) EliminarCarpetaDia(carpetaImagenes + '/' + name);
}

}  // namespace miravela
