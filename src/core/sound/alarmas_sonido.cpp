#include "sound/alarmas_sonido.h"

#include <QFile>

#include "base/folders.h"
#include "base/text_codec.h"
#include "sound/lista_sonidos.h"

namespace miravela {

AlarmasSonido::AlarmasSonido(EntornoAlarmas entorno) : e_(std::move(entorno)) { CboAlarma.Visible = false; }

void AlarmasSonido::CargarAlarmas() {
  CboAlarma.Clear();
  for (const QString& archivo : ArchivosSonido(e_.config.CarpetaAlarmas)) CboAlarma.List << NombreSinExtension(archivo);
  if (Existe(e_.archivoAlr)) {
    QFile file(e_.archivoAlr);
    if (file.open(QIODevice::ReadOnly)) {
      const qsizetype elegido = CboAlarma.List.indexOf(NombreDeRegistroAlr(file.read(kLongitudAlr)));
      if (elegido >= 0) CboAlarma.ListIndex = static_cast<int>(elegido);
    }
  }
  if (!CboAlarma.List.isEmpty() && CboAlarma.Text().isEmpty()) CboAlarma.ListIndex = 0;
}

void AlarmasSonido::GuardarAlarma() const {
  LimpiarAtributos(e_.archivoAlr);
  QFile file(e_.archivoAlr);
  // Record 1 only: whatever the file holds past it stays.
  if (!file.open(QIODevice::ReadWrite)) return;
  file.write(RegistroAlr(CboAlarma.Text()));
}

void AlarmasSonido::CboAlarma_DropDown() {
  CboAlarma.BackColor = e_.colorDesplegada;
  if (e_.ayuda) e_.ayuda(QStringLiteral("Sonidos de Alarma"));
}

bool AlarmasSonido::ReproducirAlarma(const QString& archivo) const {
  if (CboAlarma.List.isEmpty()) return false;
  e_.medios.ReproducirSonido(archivo);
  return true;
}

QByteArray RegistroAlr(const QString& nombre) {
  // A name outside Windows-1252 is kept whole as UTF-8 rather than lost; readers take
  // both.
  QByteArray bytes = EncodeCp1252(nombre).value_or(nombre.toUtf8());
  bytes.truncate(kLongitudAlr);
  return bytes.leftJustified(kLongitudAlr, ' ');
}

QString NombreDeRegistroAlr(const QByteArray& registro) {
  const QByteArray bytes = registro.left(kLongitudAlr);
  qsizetype inicio = 0, fin = bytes.size();
  while (inicio < fin && bytes[inicio] == ' ') ++inicio;
  while (fin > inicio && bytes[fin - 1] == ' ') --fin;
  return DecodeText(bytes.mid(inicio, fin - inicio));
}

}  // namespace miravela
