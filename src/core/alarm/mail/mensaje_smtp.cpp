#include "alarm/mail/mensaje_smtp.h"

#include <QLocale>
#include <QTimeZone>

namespace miravela {
namespace {

bool AsciiImprimible(const QString& texto) {
  for (QChar c : texto)
    if (c.unicode() < 0x20 || c.unicode() > 0x7E) return false;
  return true;
}

// Encoded words stay within the 75 characters a word may have: 45 bytes of UTF-8 give
// 60 of base64, and a character is never split between two words.
constexpr qsizetype kBytesPorPalabra = 45;

}  // namespace

QStringList Destinatarios(const QString& para) {
  QStringList out;
  for (const QString& entrada : para.split(';')) {
    const QString direccion = entrada.trimmed();
    if (!direccion.isEmpty()) out << direccion;
  }
  return out;
}

QByteArray TextoCabecera(const QString& texto) {
  QString limpio = texto;
  limpio.replace('\r', ' ').replace('\n', ' ');
  if (AsciiImprimible(limpio)) return limpio.toLatin1();
  const QByteArray utf8 = limpio.toUtf8();
  QByteArray out;
  qsizetype start = 0;
  while (start < utf8.size()) {
    qsizetype end = std::min(start + kBytesPorPalabra, utf8.size());
    while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
    if (!out.isEmpty()) out += ' ';
    out += "=?UTF-8?B?" + utf8.mid(start, end - start).toBase64() + "?=";
    start = end;
  }
  return out;
}

QByteArray CabeceraFecha(const QDateTime& cuando) {
  const int offset = cuando.offsetFromUtc() / 60;
  const int abs = offset < 0 ? -offset : offset;
  const QString zona = QStringLiteral("%1%2%3")
                           .arg(offset < 0 ? '-' : '+')
                           .arg(abs / 60, 2, 10, QChar('0'))
                           .arg(abs % 60, 2, 10, QChar('0'));
  return (QLocale::c().toString(cuando, QStringLiteral("ddd, dd MMM yyyy HH:mm:ss ")) + zona).toLatin1();
}

QByteArray IdentificadorMensaje(const QString& remitente, const QByteArray& unico) {
  const qsizetype at = remitente.lastIndexOf('@');
  QString dominio = at < 0 ? QString() : remitente.mid(at + 1).trimmed();
  if (dominio.isEmpty() || !AsciiImprimible(dominio) || dominio.contains('>') || dominio.contains(' '))
    dominio = QStringLiteral("miravela.invalid");
  return "<" + unico + "@" + dominio.toLatin1() + ">";
}

}  // namespace miravela
