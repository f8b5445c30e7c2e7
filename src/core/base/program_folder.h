#pragma once
// Where this instance lives: its camera slot and its program folder. Every relative
// name of the program (Recursos/…, the read-me) is relative to the program folder.
#include <QString>

namespace miravela {

struct ProgramFolder {
  QString NumeroCamara = QStringLiteral("1");  // "1" is the main program
  QString Carpeta;                             // absolute, without a trailing slash

  bool EsPrincipal() const { return NumeroCamara == QLatin1String("1"); }
  // For a copy in Objetos/Cn, the main program's folder up to and including the slash
  // before "Objetos"; empty when the folder is not inside an Objetos folder, so names
  // built on it become relative to the program folder.
  QString CarpetaPrincipal() const;
  // A name relative to the program folder.
  QString Ruta(const QString& relativo) const { return Carpeta + '/' + relativo; }

  // The slot a folder implies: Objetos/C2..C4 give "2".."4", anything else "1".
  static QString SlotDeCarpeta(const QString& carpeta);
};

}  // namespace miravela
