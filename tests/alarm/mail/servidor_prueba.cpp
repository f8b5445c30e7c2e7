#include "alarm/mail/servidor_prueba.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <thread>

namespace miravela::test {
namespace {

bool Openssl(const QStringList& argumentos, const QString& carpeta) {
  QProcess p;
  p.setWorkingDirectory(carpeta);
  p.start("openssl", argumentos);
  return p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

int SocketEscuchando(int& fd) {
  fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return 0;
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t largo = sizeof a;
  if (::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
      ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &largo) != 0)
    return 0;
  return ntohs(a.sin_port);
}

}  // namespace

std::optional<Certificados> CrearCertificados(const QString& carpeta) {
  const QStringList ec = {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
  QFile extensiones(carpeta + "/server.ext");
  if (!extensiones.open(QIODevice::WriteOnly)) return std::nullopt;
  extensiones.write(
      "basicConstraints=critical,CA:FALSE\n"
      "keyUsage=critical,digitalSignature\n"
      "extendedKeyUsage=serverAuth\n"
      "subjectAltName=IP:127.0.0.1,DNS:localhost\n");
  extensiones.close();
  const bool ok = Openssl(QStringList{"req", "-x509"} + ec +
                              QStringList{"-keyout", "ca.key", "-out", "ca.pem", "-days", "2", "-subj",
                                          "/CN=Miravela prueba CA", "-addext", "basicConstraints=critical,CA:TRUE",
                                          "-addext", "keyUsage=critical,keyCertSign,cRLSign"},
                          carpeta) &&
                  Openssl(QStringList{"req"} + ec +
                              QStringList{"-keyout", "server.key", "-out", "server.csr", "-subj", "/CN=127.0.0.1"},
                          carpeta) &&
                  Openssl({"x509", "-req", "-in", "server.csr", "-CA", "ca.pem", "-CAkey", "ca.key", "-CAcreateserial",
                           "-out", "server.pem", "-days", "2", "-extfile", "server.ext"},
                          carpeta);
  if (!ok) return std::nullopt;
  return Certificados{carpeta + "/ca.pem", carpeta + "/server.pem", carpeta + "/server.key"};
}

int PuertoLibre() {
  int fd = -1;
  const int puerto = SocketEscuchando(fd);
  if (fd >= 0) ::close(fd);
  return puerto;
}

ServidorPrueba::ServidorPrueba(const Certificados& c, OpcionesServidor o) {
  const QString script = QStringLiteral(MIRAVELA_SOURCE_DIR) + "/tests/alarm/mail/smtp_server.py";
  proceso_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // Debian's interpreter, which has the server module, whatever python comes first on PATH.
  proceso_.start("/usr/bin/python3", {script, o.modo, c.certificado, c.clave, carpeta_.path(), o.usuario, o.clave,
                                      QString::number(o.puerto), QString::number(o.demora)});
  if (!proceso_.waitForStarted(10000)) return;
  while (!proceso_.canReadLine() && proceso_.waitForReadyRead(15000)) {
  }
  puerto_ = proceso_.readLine().trimmed().toInt();
}

ServidorPrueba::~ServidorPrueba() {
  proceso_.kill();
  proceso_.waitForFinished(5000);
}

QStringList ServidorPrueba::Mensajes() const {
  QStringList out;
  for (const QString& nombre : QDir(carpeta_.path()).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    if (!nombre.endsWith(".part")) out << carpeta_.path() + '/' + nombre;
  return out;
}

bool ServidorPrueba::EsperarMensajes(int n, std::chrono::milliseconds maximo) const {
  const auto limite = std::chrono::steady_clock::now() + maximo;
  while (Mensajes().size() < n) {
    if (std::chrono::steady_clock::now() > limite) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

ServidorMudo::ServidorMudo() {
  puerto_ = SocketEscuchando(fd_);
  if (puerto_ > 0 && ::listen(fd_, 8) != 0) puerto_ = 0;
}

ServidorMudo::~ServidorMudo() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace miravela::test
