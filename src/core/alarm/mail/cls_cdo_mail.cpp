#include "alarm/mail/cls_cdo_mail.h"

#include <curl/curl.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <optional>
#include <random>
#include <vector>

#include "alarm/mail/mensaje_smtp.h"
#include "alarm/mail/ruta_red.h"
#include "base/folders.h"

namespace miravela {
namespace {

using Easy = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;
using Lista = std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)>;
using Mime = std::unique_ptr<curl_mime, decltype(&curl_mime_free)>;

struct ArchivoAdjunto {
  QByteArray nombre;
  QByteArray datos;
};

class Cabeceras {
 public:
  void Agregar(const QByteArray& linea) {
    curl_slist* next = curl_slist_append(lista_.get(), linea.constData());
    if (next) {
      (void)lista_.release();
      lista_.reset(next);
    }
  }
  curl_slist* get() const { return lista_.get(); }

 private:
  Lista lista_{nullptr, &curl_slist_free_all};
};

QByteArray SinSaltos(const QString& texto) {
  QString limpio = texto;
  limpio.remove('\r').remove('\n');
  return limpio.toUtf8();
}

QByteArray Unico() {
  std::random_device azar;
  const quint64 valor = (static_cast<quint64>(azar()) << 32) | azar();
  return QByteArray::number(QDateTime::currentMSecsSinceEpoch(), 36) + '.' + QByteArray::number(valor, 36);
}

int Progreso(void* cancelar, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  const auto* flag = static_cast<const std::atomic<bool>*>(cancelar);
  return flag && flag->load() ? 1 : 0;
}

QByteArray TipoArchivo(const QByteArray& nombre) {
  const QByteArray lower = nombre.toLower();
  return lower.endsWith(".jpg") || lower.endsWith(".jpeg") ? "image/jpeg" : "application/octet-stream";
}

// The system's authorities followed by the user's, so a private server's authority is
// trusted without distrusting anyone the system trusts.
std::optional<QByteArray> Autoridades(CURL* easy, const QString& extra) {
  QFile archivo(extra);
  if (!archivo.open(QIODevice::ReadOnly)) return std::nullopt;
  QByteArray pem = archivo.readAll();
  char* sistema = nullptr;
  if (curl_easy_getinfo(easy, CURLINFO_CAINFO, &sistema) == CURLE_OK && sistema) {
    QFile propias(QFile::decodeName(sistema));
    if (propias.open(QIODevice::ReadOnly)) pem = propias.readAll() + '\n' + pem;
  }
  return pem;
}

}  // namespace

bool clsCDOmail::Enviar_Backup() {
  Pitidos = 0;
  Error.clear();
  auto fallo = [this](int pitidos, const QString& error) {
    Pitidos = pitidos;
    Error = error;
    return false;
  };
  if (!HayRutaHacia(Servidor)) return fallo(1, QStringLiteral("Sin conexión con %1").arg(Servidor));
  bool numerico = false;
  const int puerto = Puerto.toInt(&numerico);
  if (!numerico || puerto < 1 || puerto > 65535) return fallo(0, QStringLiteral("Puerto no válido: %1").arg(Puerto));

  std::vector<ArchivoAdjunto> adjuntos;
  if (!Adjunto.isEmpty()) {
    if (!Existe(Adjunto)) return fallo(0, QStringLiteral("No existe %1").arg(Adjunto));
    for (const QString& ruta : FotosRecientes) {
      if (ruta.isEmpty()) continue;
      QFile archivo(ruta);
      // An older photograph removed with its day folder does not hold back the newest ones.
      if (!archivo.open(QIODevice::ReadOnly)) {
        if (ruta == Adjunto) return fallo(0, QStringLiteral("No se puede leer %1").arg(ruta));
        continue;
      }
      adjuntos.push_back({QFileInfo(ruta).fileName().toUtf8(), archivo.readAll()});
    }
  }
  const QStringList destinatarios = Destinatarios(Para);
  if (destinatarios.isEmpty()) return fallo(1, QStringLiteral("Sin destinatarios"));

  IniciarCurl();
  Easy easy(curl_easy_init(), &curl_easy_cleanup);
  if (!easy) return fallo(1, QStringLiteral("Sin memoria para el envío"));
  CURL* h = easy.get();
  char mensajeError[CURL_ERROR_SIZE] = {};
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, mensajeError);
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);

  const QString host = Servidor.contains(':') ? '[' + Servidor + ']' : Servidor;
  const QByteArray url = ((StartTls ? "smtp://" : "smtps://") + host + ':' + QString::number(puerto)).toUtf8();
  curl_easy_setopt(h, CURLOPT_URL, url.constData());
  curl_easy_setopt(h, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
  QByteArray autoridades;
  if (!CertificadosExtra.isEmpty()) {
    auto pem = Autoridades(h, CertificadosExtra);
    if (!pem) return fallo(1, QStringLiteral("No se puede leer %1").arg(CertificadosExtra));
    autoridades = std::move(*pem);
    curl_blob blob{autoridades.data(), static_cast<size_t>(autoridades.size()), CURL_BLOB_NOCOPY};
    curl_easy_setopt(h, CURLOPT_CAINFO_BLOB, &blob);
  }
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, static_cast<long>(TiempoConexion.count()));
  curl_easy_setopt(h, CURLOPT_TIMEOUT, static_cast<long>(TiempoMaximo.count()));
  curl_easy_setopt(h, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(TiempoMaximo.count()));
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, &Progreso);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, const_cast<std::atomic<bool>*>(Cancelar));

  const QByteArray usuario = Usuario.toUtf8(), clave = PassWord.toUtf8();
  if (UseAutentificacion) {
    curl_easy_setopt(h, CURLOPT_USERNAME, usuario.constData());
    curl_easy_setopt(h, CURLOPT_PASSWORD, clave.constData());
  }

  const QByteArray remitente = "<" + SinSaltos(De) + ">";
  curl_easy_setopt(h, CURLOPT_MAIL_FROM, remitente.constData());
  Cabeceras sobre;
  for (const QString& d : destinatarios) sobre.Agregar("<" + SinSaltos(d) + ">");
  curl_easy_setopt(h, CURLOPT_MAIL_RCPT, sobre.get());

  Cabeceras cabeceras;
  cabeceras.Agregar("Date: " + CabeceraFecha(QDateTime::currentDateTime()));
  cabeceras.Agregar("From: " + SinSaltos(De));
  cabeceras.Agregar("To: " + SinSaltos(destinatarios.join(", ")));
  cabeceras.Agregar("Subject: " + TextoCabecera(Asunto));
  cabeceras.Agregar("Message-ID: " + IdentificadorMensaje(De, Unico()));
  cabeceras.Agregar("MIME-Version: 1.0");
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, cabeceras.get());

  Mime mime(curl_mime_init(h), &curl_mime_free);
  const QByteArray cuerpo = Mensaje.toUtf8();
  curl_mimepart* texto = curl_mime_addpart(mime.get());
  curl_mime_data(texto, cuerpo.constData(), static_cast<size_t>(cuerpo.size()));
  curl_mime_type(texto, "text/plain; charset=UTF-8");
  curl_mime_encoder(texto, "quoted-printable");
  for (const ArchivoAdjunto& a : adjuntos) {
    curl_mimepart* parte = curl_mime_addpart(mime.get());
    curl_mime_data(parte, a.datos.constData(), static_cast<size_t>(a.datos.size()));
    curl_mime_filename(parte, a.nombre.constData());
    curl_mime_type(parte, TipoArchivo(a.nombre).constData());
    curl_mime_encoder(parte, "base64");
  }
  curl_easy_setopt(h, CURLOPT_MIMEPOST, mime.get());

  const CURLcode resultado = curl_easy_perform(h);
  if (resultado != CURLE_OK)
    return fallo(1, QString::fromUtf8(mensajeError[0] ? mensajeError : curl_easy_strerror(resultado)));
  return true;
}

void IniciarCurl() {
  // Once per process: the library's set-up is not made for two threads at once.
  static const bool iniciado = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
  (void)iniciado;
}

}  // namespace miravela
