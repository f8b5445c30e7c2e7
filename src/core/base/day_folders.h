#pragma once
// The images folder may be one the user chose (a folder a cloud service syncs) and
// hold the user's own files; the program only ever removes what it wrote there:
// day folders named yyyy-mm-dd and the photographs inside them.
#include <QString>
#include <QStringList>

namespace miravela {

bool EsNombreCarpetaDia(const QString& nombre);
bool EsNombreFoto(const QString& nombre);
// Names of the day folders in `carpetaImagenes`, oldest first.
QStringList CarpetasDia(const QString& carpetaImagenes);
// Deletes the program's photographs in the day folder, then the folder itself when
// nothing else is left in it.
void EliminarCarpetaDia(const QString& carpetaDia);
// Keeps fewer than `conservar` day folders, oldest going first, so that the day's new
// folder makes `conservar`. A day folder that still holds something of the user's
// stays and counts, and the next oldest goes in its place.
void PodarCarpetasDia(const QString& carpetaImagenes, int conservar);
// Every day folder of the images folder, as above; the images folder itself stays.
void EliminarFotosPrograma(const QString& carpetaImagenes);

}  // namespace miravela
