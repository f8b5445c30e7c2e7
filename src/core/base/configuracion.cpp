#include "base/configuracion.h"

#include <QFile>
#include <QSaveFile>
#include <cmath>
#include <vector>

#include "base/folders.h"
#include "base/numbers.h"
#include "base/text_codec.h"

namespace miravela {
namespace {

constexpr int kCampos = 16;

// Comma-delimited input, one field at a time across lines: leading blanks are
// skipped, a quoted field runs to the next quote, anything else to the next comma
// or the end of the line.
std::vector<QString> LeerCampos(const QString& text, int count) {
  std::vector<QString> fields;
  qsizetype pos = 0;
  const qsizetype n = text.size();
  auto atLineEnd = [&](qsizetype p) { return p >= n || text[p] == '\r' || text[p] == '\n'; };
  auto skipDelimiter = [&] {
    if (pos >= n) return;
    if (text[pos] == ',') {
      ++pos;
    } else if (text[pos] == '\r') {
      ++pos;
      if (pos < n && text[pos] == '\n') ++pos;
    } else if (text[pos] == '\n') {
      ++pos;
    }
  };
  while (static_cast<int>(fields.size()) < count && pos < n) {
    while (pos < n && text[pos] == ' ') ++pos;
    QString field;
    if (pos < n && text[pos] == '"') {
      const qsizetype close = text.indexOf('"', pos + 1);
      const qsizetype end = close < 0 ? n : close;
      field = text.mid(pos + 1, end - pos - 1);
      pos = close < 0 ? n : close + 1;
      while (!atLineEnd(pos) && text[pos] != ',') ++pos;  // rubbish after the closing quote
    } else {
      const qsizetype start = pos;
      while (!atLineEnd(pos) && text[pos] != ',') ++pos;
      field = text.mid(start, pos - start);
    }
    skipDelimiter();
    fields.push_back(field);
  }
  return fields;
}

QString Limpiar(QString value) {
  value.remove('\t');
  value.remove(QString::fromLatin1("\xFF\xFE"));      // UTF-16 LE mark read as ANSI
  value.remove(QString::fromLatin1("\xFE\xFF"));      // UTF-16 BE mark read as ANSI
  value.remove(QString::fromLatin1("\xEF\xBB\xBF"));  // UTF-8 mark read as ANSI
  value.remove(QChar(0xFEFF));                        // the same mark decoded as UTF-8
  return value;
}

// A byte from a numeric value: the leading number, made positive and rounded; a
// number beyond a byte leaves it 0 so the default takes over.
std::uint8_t ValorByte(const QString& value) {
  const double number = std::fabs(LeadingNumber(value));
  if (!std::isfinite(number)) return 0;
  const std::int64_t rounded = RoundHalfEven(number);
  return rounded > 255 ? 0 : static_cast<std::uint8_t>(rounded);
}

void EscribirIniPorDefecto(const QString& archivo, const QString& etiqueta) {
  const QString lines[kCampos] = {"[TAGCAM]", etiqueta,
                                  "[DIRIMG]", "",
                                  "[DIRALR]", "",
                                  "[DIRSND]", "",
                                  "[DIRFND]", "",
                                  "[PLUGIN]", "",
                                  "[EFESND]", QString::number(kRepeticionEfectoPorDefecto),
                                  "[RESJPG]", QString::number(kCalidadJpegPorDefecto)};
  QByteArray out;
  for (const QString& line : lines) out += line.toUtf8() + "\r\n";
  QFile file(archivo);
  if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(out);
}

// A configured folder that exists, or the slot's default one (created when missing).
QString CarpetaDeTrabajo(const ProgramFolder& programa, const QString& configurada, const QString& nombre) {
  if (ExisteCarpeta(configurada)) return configurada;
  const QString carpeta = programa.EsPrincipal() ? programa.Ruta(nombre) : programa.CarpetaPrincipal() + nombre;
  CrearCarpeta(carpeta);
  return carpeta;
}

// The physical lines after the sixteen positional ones, read as "[KEY]" / value pairs.
ParesOpcionales LeerOpcionales(const QString& text) {
  ParesOpcionales pares;
  QStringList lines = text.split('\n');
  for (QString& line : lines) line = Limpiar(line).trimmed();
  for (qsizetype i = kCampos; i + 1 < lines.size(); ++i) {
    const QString& line = lines[i];
    if (line.size() > 2 && line.startsWith('[') && line.endsWith(']')) {
      pares.Fijar(line.mid(1, line.size() - 2), lines[i + 1]);
      ++i;
    }
  }
  return pares;
}

// One physical line and the line break that ended it ("" for a last line without one).
struct Linea {
  QString texto;
  QString fin;
};

// Lines end as the field reader ends them: at CR LF, LF or a lone CR.
std::vector<Linea> PartirLineas(const QString& text) {
  std::vector<Linea> lines;
  qsizetype start = 0;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    const qsizetype largo = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
    lines.push_back({text.mid(start, i - start), text.mid(i, largo)});
    i += largo - 1;
    start = i + 1;
  }
  if (start < text.size()) lines.push_back({text.mid(start), {}});
  return lines;
}

// The value line for a folder, in the form the field reader gives back whole: quoted
// when a comma or a leading quote would cut it; nothing for a folder no line can hold.
std::optional<QString> LineaDeValor(const QString& ruta) {
  if (ruta.contains('\n') || ruta.contains('\r')) return std::nullopt;
  const bool cortaria = ruta.contains(',') || ruta.trimmed().startsWith('"');
  if (!cortaria) return ruta;
  if (ruta.contains('"')) return std::nullopt;
  return '"' + ruta + '"';
}

// The INI text with the images value replaced. The section is looked for as a whole
// line in the places of the sixteen positional lines where a section name stands, so
// a value that reads "[DIRIMG]" or a pair after the sixteen lines is never taken for it.
QString ConCarpetaImagenes(const QString& text, const QString& valor) {
  const QString kSeccion = QStringLiteral("[DIRIMG]");
  const QString kFin = QStringLiteral("\r\n");
  std::vector<Linea> lines = PartirLineas(text);
  if (!lines.empty() && lines.back().fin.isEmpty()) lines.back().fin = kFin;  // the file ends with a line break
  const auto esSeccion = [&](std::size_t i) {
    return i < lines.size() && Limpiar(lines[i].texto).trimmed() == kSeccion;
  };
  // Its own place first, where the field reader looks; then wherever a hand edit moved it.
  std::optional<std::size_t> seccion;
  if (esSeccion(2)) seccion = 2;
  for (std::size_t i = 0; i < kCampos && !seccion; i += 2)
    if (esSeccion(i)) seccion = i;
  if (seccion && *seccion + 1 < lines.size()) {
    lines[*seccion + 1].texto = valor;
  } else if (seccion) {
    lines.push_back({valor, kFin});
  } else {
    // A hand-edited file without the usual pair: put the entry back in its place
    // (lines 3 and 4) so the values keep their positions; a missing tag line would
    // let the section take the tag's place.
    while (lines.size() < 2) lines.push_back({QString(), kFin});
    lines.insert(lines.begin() + 2, {{kSeccion, kFin}, {valor, kFin}});
  }
  QString out;
  for (const Linea& line : lines) out += line.texto + line.fin;
  return out;
}

}  // namespace

std::optional<QString> ParesOpcionales::Valor(const QString& clave) const {
  const auto found = pares_.find(clave);
  if (found == pares_.end()) return std::nullopt;
  return found->second;
}

std::optional<long long> ParesOpcionales::Entero(const QString& clave, long long minimo, long long maximo) const {
  const auto texto = Valor(clave);
  if (!texto) return std::nullopt;
  bool ok = false;
  const long long numero = texto->toLongLong(&ok);
  if (!ok || numero < minimo || numero > maximo) return std::nullopt;
  return numero;
}

Configuracion LeerValoresIni(const QByteArray& contenido, Configuracion config) {
  const QString text = DecodeText(contenido);
  const std::vector<QString> fields = LeerCampos(text, kCampos);
  auto value = [&](int index) -> std::optional<QString> {  // index 1..8 of the values
    const auto at = static_cast<std::size_t>(2 * index - 1);
    if (at >= fields.size()) return std::nullopt;
    return Limpiar(fields[at]);
  };
  QString* texts[] = {&config.EtiquetaCamara, &config.CarpetaImagenes, &config.CarpetaAlarmas,
                      &config.CarpetaSonidos, &config.CarpetaFondos,   &config.Plugin};
  for (int i = 1; i <= 6; ++i)
    if (auto v = value(i)) *texts[i - 1] = v->trimmed();
  if (auto v = value(7)) config.RepeticionEfecto = ValorByte(*v);
  if (auto v = value(8)) config.CalidadJpeg = ValorByte(*v);
  config.Opcionales = LeerOpcionales(text);
  return config;
}

Configuracion CargarConfiguracion(const ProgramFolder& programa) {
  Configuracion config;
  config.EtiquetaCamara = "C" + programa.NumeroCamara;
  const QString archivo = programa.Ruta(kArchivoIni);
  if (Existe(archivo)) {
    QFile file(archivo);
    if (file.open(QIODevice::ReadOnly)) config = LeerValoresIni(file.readAll(), config);
  } else {
    EscribirIniPorDefecto(archivo, config.EtiquetaCamara);
  }

  config.CarpetaVoz = programa.EsPrincipal() ? programa.Ruta("OLMiX") : programa.CarpetaPrincipal() + "OLMiX";

  if (!config.CarpetaImagenes.isEmpty()) CrearCarpeta(config.CarpetaImagenes);
  if (!ExisteCarpeta(config.CarpetaImagenes)) {
    const QString principal = programa.CarpetaPrincipal() + QString::fromUtf8("Imágenes");
    const QString propia = QString::fromUtf8("Imágenes/C") + programa.NumeroCamara;
    config.CarpetaImagenes = programa.EsPrincipal() || !ExisteCarpeta(principal) ? programa.Ruta(propia)
                                                                                 : programa.CarpetaPrincipal() + propia;
    CrearCarpeta(config.CarpetaImagenes);
  }

  config.CarpetaAlarmas = CarpetaDeTrabajo(programa, config.CarpetaAlarmas, "Alarmas");
  config.CarpetaSonidos = CarpetaDeTrabajo(programa, config.CarpetaSonidos, "Sonidos");
  config.CarpetaFondos = CarpetaDeTrabajo(programa, config.CarpetaFondos, "Fondos");

  if (config.RepeticionEfecto == 0) config.RepeticionEfecto = kRepeticionEfectoPorDefecto;
  if (config.CalidadJpeg == 0) config.CalidadJpeg = kCalidadJpegPorDefecto;
  if (config.CalidadJpeg > 100) config.CalidadJpeg = 100;
  return config;
}

bool GuardarCarpetaImagenes(const ProgramFolder& programa, Configuracion& config, QString ruta) {
  if (ruta.endsWith('/') || ruta.endsWith('\\'))
    ruta.chop(1);
  else if (ruta.isEmpty() || ruta.endsWith('}'))
    return false;
  const std::optional<QString> valor = LineaDeValor(ruta);
  if (!valor) return false;
  CrearCarpeta(ruta);
  if (!ExisteCarpeta(ruta)) return false;
  config.CarpetaImagenes = ruta;

  const QString archivo = programa.Ruta(kArchivoIni);
  QFile in(archivo);
  if (!in.open(QIODevice::ReadOnly)) return true;
  const QString text = DecodeText(in.readAll());
  in.close();
  const QString rewritten = ConCarpetaImagenes(text, *valor);
  // Written beside the old file and renamed over it, so a crash or a full disk
  // leaves the old file whole rather than an empty one.
  LimpiarAtributos(archivo);
  QSaveFile out(archivo);
  if (out.open(QIODevice::WriteOnly) && out.write(rewritten.toUtf8()) >= 0) out.commit();
  return true;
}

}  // namespace miravela
