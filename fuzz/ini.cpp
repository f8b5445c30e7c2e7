// The configuration INI: sixteen positional lines, then optional "[KEY]" / value pairs.
// Besides reading it, the images-folder rewrite must keep every other value and pair.
#include <QDir>
#include <QRegularExpression>

#include "base/configuracion.h"
#include "base/text_codec.h"
#include "comun.h"
#include "driver.h"

namespace miravela::fuzz {
namespace {

ProgramFolder Programa() {
  ProgramFolder programa;
  programa.Carpeta = Carpeta();
  QDir().mkpath(Carpeta() + "/Recursos");
  return programa;
}

QString Ini() { return Programa().Ruta(kArchivoIni); }

// Lines end as the field reader ends them: at CR LF, LF or a lone CR.
QStringList Lineas(const QString& text) {
  static const QRegularExpression kFin(QStringLiteral("\r\n|\r|\n"));
  return text.split(kFin);
}

// The fields are the lines when no comma or quote regroups them.
bool CamposSonLineas(const QStringList& lines) {
  for (qsizetype i = 0; i < lines.size() && i < 16; ++i)
    if (lines[i].contains(',') || lines[i].contains('"')) return false;
  return true;
}

}  // namespace

std::vector<QByteArray> Semillas() {
  // The file the program writes on its first run, and the same with a chosen folder and pairs.
  QFile::remove(Ini());
  (void)CargarConfiguracion(Programa());
  const QByteArray inicial = LeerArchivo(Ini());
  Configuracion config;
  QDir().mkpath(Carpeta() + "/nube");
  FUZZ_CHECK(GuardarCarpetaImagenes(Programa(), config, Carpeta() + "/nube"));
  return {inicial, LeerArchivo(Ini()) + "[LUZ]\r\n55\r\n[SRVSMTP]\r\nsmtp://h:25\r\n"};
}

std::vector<QByteArray> Palabras() {
  return {"[TAGCAM]", "[DIRIMG]",     "[DIRALR]", "[DIRSND]", "[DIRFND]", "[PLUGIN]", "[EFESND]", "[RESJPG]",
          "\r\n",     "\n",           ",",        "\"",       "\t",       "1e30",     "-1e30",    "2.5",
          "nan",      "\xEF\xBB\xBF", "\xFF\xFE"};
}

}  // namespace miravela::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace miravela;
  using namespace miravela::fuzz;
  const QByteArray bytes = Bytes(data, size);
  // The rewrite ends the file with a line break, which can complete a last pair.
  const bool conFin = bytes.endsWith('\n') || bytes.endsWith('\r');
  const Configuracion antes = LeerValoresIni(conFin ? bytes : bytes + "\r\n", {});

  // Choosing the images folder: the reader finds it where it was written.
  EscribirArchivo(Ini(), bytes);
  static const QString nube = [] {
    const QString carpeta = Carpeta() + "/nube";
    QDir().mkpath(carpeta);
    return carpeta;
  }();
  Configuracion config;
  FUZZ_CHECK(GuardarCarpetaImagenes(Programa(), config, nube));
  const QByteArray escrito = LeerArchivo(Ini());
  FUZZ_CHECK(!escrito.isEmpty());
  const QStringList lines = Lineas(DecodeText(bytes));
  if (!CamposSonLineas(lines)) return 0;
  const Configuracion despues = LeerValoresIni(escrito, {});
  const bool enSuSitio = lines.size() > 3 && lines[2].trimmed() == "[DIRIMG]";
  if (!enSuSitio && bytes.contains("[DIRIMG]")) return 0;  // a hand edit moved it: nothing to compare
  FUZZ_CHECK(despues.CarpetaImagenes == nube);
  if (!enSuSitio) return 0;
  FUZZ_CHECK(despues.EtiquetaCamara == antes.EtiquetaCamara);
  FUZZ_CHECK(despues.CarpetaAlarmas == antes.CarpetaAlarmas);
  FUZZ_CHECK(despues.CarpetaSonidos == antes.CarpetaSonidos);
  FUZZ_CHECK(despues.CarpetaFondos == antes.CarpetaFondos);
  FUZZ_CHECK(despues.Plugin == antes.Plugin);
  FUZZ_CHECK(despues.RepeticionEfecto == antes.RepeticionEfecto);
  FUZZ_CHECK(despues.CalidadJpeg == antes.CalidadJpeg);
  for (const char* clave : {"LUZ", "SRVSMTP", "TAGCAM", "DIRIMG", "RESJPG"})
    FUZZ_CHECK(despues.Opcionales.Valor(clave) == antes.Opcionales.Valor(clave));
  return 0;
}
