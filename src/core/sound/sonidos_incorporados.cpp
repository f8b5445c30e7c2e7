#include "sound/sonidos_incorporados.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "sound/lista_sonidos.h"
#include "sound/medios.h"

namespace miravela {
namespace {

bool TieneSonido(const QString& carpeta, const QString& nombre) {
  const QString base = carpeta + '/' + nombre;
  return !ArchivoConExtension(base, QStringLiteral("mp3")).isEmpty() ||
         !ArchivoConExtension(base, QStringLiteral("wav")).isEmpty();
}

// Written beside the target first and renamed into place, which never replaces a
// file, so a file appearing meanwhile is kept and a broken write leaves no half sound.
bool Escribir(const QString& recurso, const QString& destino) {
  QFile origen(recurso);
  if (!origen.open(QIODevice::ReadOnly)) return false;
  const QString parcial = destino + QStringLiteral(".part");
  QFile::remove(parcial);  // left by a write that was cut short
  QFile salida(parcial);
  if (!salida.open(QIODevice::WriteOnly | QIODevice::NewOnly)) return false;
  const QByteArray datos = origen.readAll();
  const bool escrito = salida.write(datos) == datos.size() && salida.flush();
  salida.close();
  if (escrito && QFile::rename(parcial, destino)) return true;
  QFile::remove(parcial);
  return false;
}

}  // namespace

QStringList SonidosIncorporados(const QString& tipo) {
  const QString carpeta = QStringLiteral(":/sounds/") + tipo;
  QStringList rutas;
  for (const QString& archivo : ArchivosSonido(carpeta)) rutas << carpeta + '/' + archivo;
  return rutas;
}

int InstalarSonidos(const QString& tipo, const QString& carpeta) {
  const QStringList sonidos = SonidosIncorporados(tipo);
  if (sonidos.isEmpty() || carpeta.isEmpty()) return 0;
  for (const QString& sonido : sonidos)
    if (TieneSonido(carpeta, NombreSinExtension(QFileInfo(sonido).fileName()))) return 0;
  if (!QDir().mkpath(carpeta)) return 0;
  int escritos = 0;
  for (const QString& sonido : sonidos) {
    const QString archivo = QFileInfo(sonido).fileName();
    if (Escribir(sonido, carpeta + '/' + archivo)) ++escritos;
  }
  return escritos;
}

void InstalarSonidosIncorporados(const Configuracion& config) {
  InstalarSonidos(QStringLiteral("Alarmas"), config.CarpetaAlarmas);
  InstalarSonidos(QStringLiteral("Sonidos"), config.CarpetaSonidos);
  InstalarSonidos(QStringLiteral("OLMiX"), config.CarpetaVoz);
}

}  // namespace miravela
