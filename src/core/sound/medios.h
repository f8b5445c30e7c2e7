#pragma once
// Every sound of the program goes through here as command strings to the one media
// device "med": opening a file closes whatever was open, and a sound never cuts into
// one that is still playing or paused.
#include <QString>

#include "base/hook.h"

namespace miravela {

enum EstadoMedios { kMedioNinguno = 0, kMedioSonando = 1, kMedioEnPausa = 2 };

class Medios {
 public:
  // `enviar` carries one command and gives back its reply text (empty when it failed,
  // which is also the answer of a device that is not there).
  explicit Medios(Hook<QString(const QString&)> enviar) : enviar_(std::move(enviar)) {}

  QString EnviarMci(const QString& comando) const;
  void CerrarMedios() const;
  bool AbrirMedio(const QString& archivo) const;
  void ReproducirMedio() const;
  int EstadoMedio() const;
  // `base` is the file name without extension; an MP3 is preferred to a WAV.
  void ReproducirSonido(const QString& base) const;

 private:
  Hook<QString(const QString&)> enviar_;
};

// base + "." + extension as it exists on disk, the extension matched without regard
// to case (a folder copied from elsewhere may hold "Sirena.MP3"); empty when there is
// no such file.
QString ArchivoConExtension(const QString& base, const QString& extension);

}  // namespace miravela
