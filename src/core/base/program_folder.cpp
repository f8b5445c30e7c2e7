#include "base/program_folder.h"

#include <QRegularExpression>

namespace miravela {

QString ProgramFolder::CarpetaPrincipal() const {
  const qsizetype at = Carpeta.lastIndexOf(QLatin1String("/Objetos"));
  if (at < 0) return {};
  return Carpeta.left(at + 1);
}

QString ProgramFolder::SlotDeCarpeta(const QString& carpeta) {
  static const QRegularExpression copy(QStringLiteral("/Objetos/C([2-4])/?$"));
  const auto match = copy.match(carpeta);
  return match.hasMatch() ? match.captured(1) : QStringLiteral("1");
}

}  // namespace miravela
