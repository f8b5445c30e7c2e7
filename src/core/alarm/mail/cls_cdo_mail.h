#pragma once
// One alert message and its send over SMTP. The object lives for one send; every
// property is set before Enviar_Backup, which may run on any thread since it touches
// nothing but the object and the files it attaches.
#include <QString>
#include <array>
#include <atomic>
#include <chrono>

namespace miravela {

class clsCDOmail {
 public:
  QString Servidor;
  QString Puerto;  // must be a port number for the send to go ahead
  bool UseAutentificacion = false;
  bool SSL = false;
  QString Usuario;
  QString PassWord;
  QString De;
  QString Para;  // addresses separated by "; "; empty entries are skipped
  QString Asunto;
  QString Mensaje;
  QString Adjunto;  // the newest photograph: it must exist for anything to be sent

  // Every photograph that goes with the message, oldest first; empty slots are skipped.
  std::array<QString, 10> FotosRecientes;
  // TLS is never optional: false means TLS from the first byte, true STARTTLS, and the
  // password is never sent before the connection is encrypted.
  bool StartTls = false;
  QString CertificadosExtra;  // PEM authorities trusted besides the system's
  std::chrono::seconds TiempoConexion{10};
  std::chrono::seconds TiempoMaximo{60};
  // Set from another thread to end a send early (the program is closing).
  const std::atomic<bool>* Cancelar = nullptr;

  // True when the server took the message.
  bool Enviar_Backup();

  // After a send: the system beeps the send itself asks for (no connection, a server
  // error), and what went wrong, for people who look.
  int Pitidos = 0;
  QString Error;
};

// Prepares the mail library for sends on other threads; called on the main thread.
void IniciarCurl();

}  // namespace miravela
