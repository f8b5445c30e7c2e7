#include "alarm/mail/ajustes_email.h"

#include <vector>

#include "base/registro_ajustes.h"
#include "base/text_codec.h"

namespace miravela {
namespace {

constexpr int kRegistros = 22;
constexpr int kPieza = 12;
constexpr int kLargoClaveCodificada = 120;
constexpr int kRegistroClave = 7;  // records 7 to 11 hold the password's ten pieces
constexpr int kRegistrosClave = 5;

// The record pairs of the texts stored in two records, by first record number.
struct TextoEnRegistros {
  int primero;
  QString AjustesEmail::*campo;
  int copia;  // index into CopiaCorreo when campo is null
};

std::vector<TextoEnRegistros> Textos() {
  std::vector<TextoEnRegistros> out = {{1, &AjustesEmail::AsuntoCorreo, -1},
                                       {3, &AjustesEmail::MensajeCorreo, -1},
                                       {5, &AjustesEmail::CuentaCorreo, -1}};
  for (int i = 0; i < kCopiasCorreo; ++i) out.push_back({12 + 2 * i, nullptr, i});
  return out;
}

QString& Texto(AjustesEmail& a, const TextoEnRegistros& t) {
  return t.campo ? a.*t.campo : a.CopiaCorreo[static_cast<std::size_t>(t.copia)];
}

// Pieces of twelve characters; the last piece of a field runs to its end.
QString Pieza(const QString& text, int indice, bool ultima) {
  return ultima ? text.mid(indice * kPieza) : text.mid(indice * kPieza, kPieza);
}

}  // namespace

std::optional<QString> CodificarClave(const QString& clave) {
  const auto bytes = EncodeCp1252(clave);
  if (!bytes) return std::nullopt;
  QString out;
  for (char ch : *bytes) {
    const QString code = QString::number(static_cast<unsigned char>(ch));
    out += QString::number(code.size()) + code;
  }
  return out;
}

std::optional<QString> DecodificarClave(const QString& digitos) {
  QByteArray bytes;
  qsizetype pos = 0;
  while (pos < digitos.size()) {
    const int n = digitos[pos].digitValue();
    if (n < 1 || pos + 1 + n > digitos.size()) return std::nullopt;
    bool ok = false;
    const QStringView code = QStringView(digitos).mid(pos + 1, n);
    for (QChar c : code)
      if (!c.isDigit()) return std::nullopt;
    const int value = code.toInt(&ok);
    if (!ok || value > 255) return std::nullopt;
    bytes.append(static_cast<char>(value));
    pos += 1 + n;
  }
  return DecodeCp1252(bytes);
}

void CargarAvisoEmail(const QString& archivo, AjustesEmail& a) {
  const auto registros = LeerRegistros(archivo, kRegistros);
  if (!registros) {
    a.FotosPorEnvio = kFotosPorEnvioDefecto;
    a.FotosAdjuntas = kFotosAdjuntasDefecto;
    return;
  }
  auto r = [&](int n) -> const RegistroAjustes& { return (*registros)[static_cast<std::size_t>(n - 1)]; };
  auto dosPiezas = [&](int n) { return r(n).Campo1.ComoTexto() + r(n).Campo2.ComoTexto(); };
  for (const auto& t : Textos()) Texto(a, t) = dosPiezas(t.primero) + dosPiezas(t.primero + 1);
  a.AsuntoAutomatico = r(1).Campo4;

  QString buffer = dosPiezas(kRegistroClave);
  for (int n = kRegistroClave + 1; n < kRegistroClave + kRegistrosClave; ++n)
    buffer = QuitarEspacios(buffer) + dosPiezas(n);
  if (auto clave = DecodificarClave(QuitarEspacios(buffer))) a.ClaveCorreo = *clave;

  a.FotosPorEnvio = r(kRegistros).Campo4;
  a.FotosAdjuntas = r(kRegistros).Campo5;
}

bool GuardarAvisoEmail(const QString& archivo, const AjustesEmail& ajustes) {
  AjustesEmail a = ajustes;
  for (const auto& t : Textos()) {
    QString& text = Texto(a, t);
    text = QuitarEspacios(text);
    if (text.size() > kLargoTextoCorreo) return false;
  }
  a.ClaveCorreo = QuitarEspacios(a.ClaveCorreo);
  const auto codificada = CodificarClave(a.ClaveCorreo);
  if (!codificada || codificada->size() > kLargoClaveCodificada) return false;
  const QString clave = codificada->leftJustified(kLargoClaveCodificada, ' ');

  // One buffer written 22 times: each record changes only its own fields and keeps the
  // rest as the record before it left them.
  std::vector<QString> piezas(2 * kRegistros);  // Campo1 and Campo2 of records 1..21
  for (const auto& t : Textos()) {
    const QString& text = Texto(a, t);
    for (int i = 0; i < 4; ++i) piezas[static_cast<std::size_t>(2 * (t.primero - 1) + i)] = Pieza(text, i, i == 3);
  }
  for (int i = 0; i < 2 * kRegistrosClave; ++i)
    piezas[static_cast<std::size_t>(2 * (kRegistroClave - 1) + i)] = Pieza(clave, i, false);

  std::vector<RegistroAjustes> registros;
  RegistroAjustes buffer;
  buffer.Campo4 = a.AsuntoAutomatico;
  for (int n = 1; n < kRegistros; ++n) {
    auto c1 = ValorEtiquetado::Texto(piezas[static_cast<std::size_t>(2 * (n - 1))]);
    auto c2 = ValorEtiquetado::Texto(piezas[static_cast<std::size_t>(2 * (n - 1) + 1)]);
    if (!c1 || !c2) return false;
    buffer.Campo1 = *c1;
    buffer.Campo2 = *c2;
    registros.push_back(buffer);
  }
  buffer.Campo4 = a.FotosPorEnvio;
  buffer.Campo5 = a.FotosAdjuntas;
  registros.push_back(buffer);
  return EscribirRegistros(archivo, registros, AccesoArchivo::SoloPropietario);
}

QString QuitarEspacios(const QString& text) {
  // Only blanks go: the files were always trimmed of spaces and nothing else.
  qsizetype start = 0, end = text.size();
  while (start < end && text[start] == ' ') ++start;
  while (end > start && text[end - 1] == ' ') --end;
  return text.mid(start, end - start);
}

QString TextoFotos(int fotos) { return QString::number(fotos) + (fotos == 1 ? " Foto" : " Fotos"); }

}  // namespace miravela
