#pragma once
// Which SMTP server the alerts go to and which certificate authorities vouch for it.
// By default the mail provider the dialog names, with TLS from the first byte; the
// INI may name another server and another authority.
#include <QString>
#include <chrono>

#include "base/configuracion.h"

namespace miravela {

inline constexpr const char* kClaveServidorSmtp = "SRVSMTP";
inline constexpr const char* kClaveCertificadosSmtp = "CASMTP";
// The provider whose account the dialog asks for.
inline constexpr const char* kDominioProveedor = "gmail.com";
inline constexpr const char* kServidorProveedor = "smtp.gmail.com";
inline constexpr int kPuertoTlsImplicito = 465;
inline constexpr int kPuertoStartTls = 587;

struct ServidorSmtp {
  QString host;
  QString puerto;         // as text: a value that is not a port makes the send fail
  bool startTls = false;  // false: TLS from the first byte; true: STARTTLS, required
  bool operator==(const ServidorSmtp&) const = default;
};

struct ConfiguracionSmtp {
  ServidorSmtp servidor{kServidorProveedor, QString::number(kPuertoTlsImplicito), false};
  QString certificados;  // PEM file of authorities trusted besides the system's
  std::chrono::seconds tiempoConexion{10};
  // Covers the whole send, so a server that stalls after connecting cannot hold it.
  std::chrono::seconds tiempoMaximo{60};
};

// "smtps://host:port", "smtp://host:port" or "host:port" (smtps). A value that cannot be
// read gives a server without a port, so every send fails rather than going elsewhere.
ServidorSmtp LeerServidorSmtp(const QString& valor);
ConfiguracionSmtp LeerConfiguracionSmtp(const ParesOpcionales& pares);

}  // namespace miravela
