#pragma once
// The sound files of a folder, as the alarm list and the effects list show them.
#include <QString>
#include <QStringList>

#include "base/control.h"

namespace miravela {

// The MP3 and WAV files of `carpeta` (extension in any case), sorted by name the way
// the folder listing always was, without regard to case. A missing folder lists none.
QStringList ArchivosSonido(const QString& carpeta);

// The file name cut before its last dot: "a.b.mp3" names the sound "a.b".
QString NombreSinExtension(const QString& archivo);

// A list of the files of one folder; pointing it at a folder or refreshing it drops
// the selection, as such a list always did.
struct ListaArchivos : Control {
  QString Path;
  QStringList List;
  int ListIndex = -1;

  void Refresh() {
    List = ArchivosSonido(Path);
    ListIndex = -1;
  }
  QString FileName() const { return ListIndex >= 0 && ListIndex < List.size() ? List[ListIndex] : QString(); }
};

}  // namespace miravela
