#pragma once
// Real SMTP servers on 127.0.0.1 for the mail tests: a certificate authority and a
// server certificate made with openssl, a TLS server in either mode, and a server that
// accepts connections and never says a word.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <chrono>
#include <memory>
#include <optional>

namespace miravela::test {

struct Certificados {
  QString ca, certificado, clave;
};

// Made in `carpeta`; nothing when openssl failed.
std::optional<Certificados> CrearCertificados(const QString& carpeta);

// A port on 127.0.0.1 that was free a moment ago.
int PuertoLibre();

struct OpcionesServidor {
  QString modo = "implicit";  // or "starttls"
  QString usuario = "alarma@casa.test";
  QString clave = "clave secreta";
  int puerto = 0;     // 0: any free one
  double demora = 0;  // seconds the server waits before taking a message
};

class ServidorPrueba {
 public:
  ServidorPrueba(const Certificados& certificados, OpcionesServidor opciones);
  ~ServidorPrueba();
  bool Listo() const { return puerto_ > 0; }
  int Puerto() const { return puerto_; }
  // The folders of the messages received so far, oldest first.
  QStringList Mensajes() const;
  // Waits (in real time) until `n` messages have arrived.
  bool EsperarMensajes(int n, std::chrono::milliseconds maximo = std::chrono::seconds(10)) const;

 private:
  QTemporaryDir carpeta_;
  QProcess proceso_;
  int puerto_ = 0;
};

// Listens, lets the system accept connections, never reads or writes.
class ServidorMudo {
 public:
  ServidorMudo();
  ~ServidorMudo();
  int Puerto() const { return puerto_; }

 private:
  int fd_ = -1;
  int puerto_ = 0;
};

}  // namespace miravela::test
