#include "alarm/mail/ruta_red.h"

#include <netdb.h>
#include <sys/socket.h>
#include <unistd.h>

namespace miravela {

bool HayRutaHacia(const QString& host) {
  if (host.isEmpty()) return false;
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* lista = nullptr;
  // Any port will do: connecting a datagram socket only asks the routing table.
  if (getaddrinfo(host.toUtf8().constData(), "9", &hints, &lista) != 0) return false;
  bool ruta = false;
  for (const addrinfo* a = lista; a && !ruta; a = a->ai_next) {
    const int fd = ::socket(a->ai_family, a->ai_socktype | SOCK_CLOEXEC, a->ai_protocol);
    if (fd < 0) continue;
    ruta = ::connect(fd, a->ai_addr, a->ai_addrlen) == 0;
    ::close(fd);
  }
  freeaddrinfo(lista);
  return ruta;
}

}  // namespace miravela
