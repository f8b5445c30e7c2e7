#pragma once
// The parts of an alert's message that follow the mail rules rather than the program's:
// recipients, header texts, the date and a message identifier.
#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>

namespace miravela {

// The addresses of a recipients text separated by ";", without blanks around them and
// without the empty entries the alert leaves for copies not entered.
QStringList Destinatarios(const QString& para);

// A header value as the wire carries it: plain when it is printable ASCII, otherwise
// encoded words of UTF-8. Line breaks never reach the header.
QByteArray TextoCabecera(const QString& texto);

// "Fri, 11 Dec 2026 17:05:09 +0100": English names whatever the user's language.
QByteArray CabeceraFecha(const QDateTime& cuando);

// "<unique@domain of the sender>"; `unico` makes it unique, the sender's domain makes
// it the sender's.
QByteArray IdentificadorMensaje(const QString& remitente, const QByteArray& unico);

}  // namespace miravela
