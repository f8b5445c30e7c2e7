// The 46-byte settings record every Recursos file but three is made of.
#include "base/registro_ajustes.h"
#include "comun.h"
#include "driver.h"

namespace miravela::fuzz {

std::vector<QByteArray> Semillas() {
  const QString archivo = Carpeta() + "/semilla.REG";
  RegistroAjustes vacio, numeros, textos;
  numeros.Campo1 = ValorEtiquetado::Entero(1);
  numeros.Campo2 = ValorEtiquetado::Entero(-32768);
  numeros.Campo3 = true;
  numeros.Campo4 = 644;
  numeros.Campo5 = -15;
  numeros.Campo6 = 2147483647;
  textos.Campo1 = *ValorEtiquetado::Texto(QStringLiteral("42 Fotos"));
  textos.Campo2 = *ValorEtiquetado::Texto(QString::fromUtf8("cámara"));
  std::vector<QByteArray> semillas;
  for (const auto& registros : std::vector<std::vector<RegistroAjustes>>{{vacio}, {numeros, textos, vacio}}) {
    QFile::remove(archivo);
    FUZZ_CHECK(EscribirRegistros(archivo, registros));
    semillas.push_back(LeerArchivo(archivo));
  }
  return semillas;
}

std::vector<QByteArray> Palabras() {
  return {QByteArray("\x00\x00", 2),         QByteArray("\x02\x00", 2), QByteArray("\x08\x00", 2),
          QByteArray("\x08\x00\x2C\x00", 4), QByteArray("\xFF\xFF", 2), QByteArray("\x08\x00\xFF\xFF", 4)};
}

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela;
  using namespace miravela::fuzz;
  const QByteArray bytes = Bytes(data, size);
  const RegistroAjustes leido = RegistroAjustes::Leer(bytes.left(RegistroAjustes::kLongitud));
  (void)leido.Campo1.ComoNumero();
  (void)leido.Campo2.ComoNumero();
  // Whatever a record reads as, written back it reads the same.
  if (const auto serializado = leido.Serializar()) {
    const QByteArray otra(reinterpret_cast<const char*>(serializado->data()), RegistroAjustes::kLongitud);
    FUZZ_CHECK(RegistroAjustes::Leer(otra) == leido);
  }
  // The file reader: three records from a file of any length.
  const QString archivo = Carpeta() + "/Miravela.REG";
  EscribirArchivo(archivo, bytes);
  const auto registros = LeerRegistros(archivo, 3);
  FUZZ_CHECK(registros && registros->size() == 3);
  FUZZ_CHECK(registros->front() == leido);
  return 0;
}
