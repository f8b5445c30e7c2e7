#include "sound/medios.h"

#include <QDir>
#include <QFileInfo>

#include "base/folders.h"
#include "base/numbers.h"

namespace miravela {

QString Medios::EnviarMci(const QString& comando) const {
  QString respuesta = enviar_(comando);
  respuesta.remove(QChar(0));
  return respuesta;
}

void Medios::CerrarMedios() const { EnviarMci(QStringLiteral("close all")); }

bool Medios::AbrirMedio(const QString& archivo) const {
  CerrarMedios();
  const QString respuesta = EnviarMci(QStringLiteral("open \"") + archivo + QStringLiteral("\" alias med"));
  // A successful open answers with its device number, never 0.
  const bool abierto = LeadingNumber(respuesta) != 0;
  EnviarMci(QStringLiteral("set med time format milliseconds"));
  return abierto;
}

void Medios::ReproducirMedio() const { EnviarMci(QStringLiteral("play med")); }

int Medios::EstadoMedio() const {
  const QString modo = EnviarMci(QStringLiteral("status med mode"));
  if (modo == QLatin1String("playing")) return kMedioSonando;
  if (modo == QLatin1String("paused")) return kMedioEnPausa;
  return kMedioNinguno;
}

void Medios::ReproducirSonido(const QString& base) const {
  if (EstadoMedio() != kMedioNinguno) return;
  const QString mp3 = ArchivoConExtension(base, QStringLiteral("mp3"));
  if (!mp3.isEmpty()) {
    AbrirMedio(mp3);
  } else {
    // A missing file is still opened, and simply fails without a sound.
    const QString wav = ArchivoConExtension(base, QStringLiteral("wav"));
    AbrirMedio(wav.isEmpty() ? base + QStringLiteral(".wav") : wav);
  }
  ReproducirMedio();
}

QString ArchivoConExtension(const QString& base, const QString& extension) {
  const QString exacto = base + '.' + extension;
  if (Existe(exacto)) return exacto;
  const QFileInfo info(exacto);
  const QString buscado = info.fileName();
  const QDir carpeta = info.dir();
  if (!carpeta.exists()) return {};
  const QString prefijo = buscado.left(buscado.size() - extension.size());  // keeps the dot
  // Compared by hand: a name filter would read brackets or stars in the name as wildcards.
  for (const QString& nombre : carpeta.entryList(QDir::Files, QDir::Name)) {
    if (nombre.size() == buscado.size() && nombre.startsWith(prefijo) &&
        nombre.endsWith(extension, Qt::CaseInsensitive))
      return carpeta.filePath(nombre);
  }
  return {};
}

}  // namespace miravela
