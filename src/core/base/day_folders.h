#pragma once
// The images folder may be one the user chose (a folder a cloud service syncs) and
// hold the user's own files; the program only ever removes what it wrote there:
// day folders named yyyy-mm-dd and the photographs inside them.
#include <QDate>
#include <QString>
#include <QStringList>

namespace miravela {

// The day folder's name for a date: yyyy-mm-dd, which sorts oldest first.
QString NombreCarpetaDia(const QDate& dia);
bool EsNombreCarpetaDia(const QString& nombre);
bool EsNombreFoto(const QString& nombre);
// Names of the day folders in `carpetaImagenes`, oldest first.
QStringList CarpetasDia(const QString& carpetaImagenes);
// Deletes the program's photographs in the day folder, then the folder itself when
// nothing else is left in it. Returns how many photographs went.
int EliminarCarpetaDia(const QString& carpetaDia);
// Makes room for the day's new folder so that `conservar` days of photographs are kept:
// the oldest day folders give up their photographs first. One left holding something
// of the user's stays, holds no day of photographs any more, and stops no pruning.
void PodarCarpetasDia(const QString& carpetaImagenes, int conservar);
// Every day folder of the images folder, as above; the images folder itself stays.
void EliminarFotosPrograma(const QString& carpetaImagenes);

}  // namespace miravela
