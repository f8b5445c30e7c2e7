#include "alarm/mail/servidor_smtp.h"

namespace miravela {

ServidorSmtp LeerServidorSmtp(const QString& valor) {
  QString resto = valor.trimmed();
  ServidorSmtp s;
  int puertoDefecto = kPuertoTlsImplicito;
  if (resto.startsWith("smtps://", Qt::CaseInsensitive)) {
    resto = resto.mid(8);
  } else if (resto.startsWith("smtp://", Qt::CaseInsensitive)) {
    resto = resto.mid(7);
    s.startTls = true;
    puertoDefecto = kPuertoStartTls;
  } else if (resto.contains("://")) {
    s.host = resto;
    return s;
  }
  if (resto.endsWith('/')) resto.chop(1);

  qsizetype puertoEn = -1;
  if (resto.startsWith('[')) {  // an IPv6 address
    const qsizetype cierre = resto.indexOf(']');
    const bool conPuerto = cierre >= 0 && cierre + 1 < resto.size();
    if (cierre < 0 || (conPuerto && resto[cierre + 1] != ':')) return {resto, {}, s.startTls};
    s.host = resto.mid(1, cierre - 1);
    if (conPuerto) puertoEn = cierre + 1;
  } else {
    puertoEn = resto.indexOf(':');
    s.host = puertoEn < 0 ? resto : resto.left(puertoEn);
  }
  const QString puerto = puertoEn < 0 ? QString::number(puertoDefecto) : resto.mid(puertoEn + 1);
  bool ok = false;
  const int numero = puerto.toInt(&ok);
  const bool valido = ok && numero >= 1 && numero <= 65535 && !s.host.isEmpty() && !s.host.contains('/');
  if (valido) s.puerto = QString::number(numero);
  return s;
}

ConfiguracionSmtp LeerConfiguracionSmtp(const ParesOpcionales& pares) {
  ConfiguracionSmtp c;
  if (auto servidor = pares.Valor(kClaveServidorSmtp); servidor && !servidor->isEmpty())
    c.servidor = LeerServidorSmtp(*servidor);
  if (auto ca = pares.Valor(kClaveCertificadosSmtp)) c.certificados = *ca;
  return c;
}

}  // namespace miravela
