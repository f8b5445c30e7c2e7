#include "alarm/mail/aviso_email.h"

#include <algorithm>

#include "base/version.h"

namespace miravela {

QString ParaCorreo(const AjustesEmail& a) {
  QString para = a.CuentaCorreo;
  for (const QString& copia : a.CopiaCorreo) para += "; " + copia;
  return para;
}

QString MensajeCorreo(const AjustesEmail& a) {
  return a.MensajeCorreo + QString("\r\n").repeated(5) + "Enviado desde mi Miravela " + VersionPrograma() + "\r\n\r\n";
}

AvisoEmail::AvisoEmail(EntornoAviso entorno)
    : TmrEnvio(entorno.clock, "TmrEnvio", kRevisionMs),
      TmrReintento(entorno.clock, "TmrReintento", kPrimerReintentoMs),
      e_(std::move(entorno)) {
  ImgMail.Visible = false;
  IniciarCurl();
  TmrEnvio.OnTimer = [this] { TmrEnvio_Timer(); };
  TmrReintento.OnTimer = [this] { TmrReintento_Timer(); };
}

AvisoEmail::~AvisoEmail() {
  cancelar_ = true;
  if (envio_.valid()) envio_.wait();
}

int AvisoEmail::Adjuntas() const { return std::clamp(ajustes.FotosAdjuntas, 1, kFotosAdjuntasMaximo); }

void AvisoEmail::FotoGuardada(const QString& ruta) {
  if (!e_.activo()) return;
  const auto adjuntas = static_cast<std::size_t>(Adjuntas());
  std::move(FotosRecientes.begin() + 1, FotosRecientes.begin() + static_cast<std::ptrdiff_t>(adjuntas),
            FotosRecientes.begin());
  FotosRecientes[adjuntas - 1] = ruta;
  ++FotosSinEnviar;
  if (FotosSinEnviar >= ajustes.FotosPorEnvio) EnviarAvisoEmail();
}

clsCDOmail AvisoEmail::ComponerAviso() const {
  const ConfiguracionSmtp smtp = e_.smtp();
  clsCDOmail m;
  m.Servidor = smtp.servidor.host;
  m.Puerto = smtp.servidor.puerto;
  m.StartTls = smtp.servidor.startTls;
  m.CertificadosExtra = smtp.certificados;
  m.TiempoConexion = smtp.tiempoConexion;
  m.TiempoMaximo = smtp.tiempoMaximo;
  m.UseAutentificacion = true;
  m.SSL = true;
  m.Usuario = ajustes.CuentaCorreo;
  m.PassWord = ajustes.ClaveCorreo;
  m.Asunto = ajustes.AsuntoAutomatico != 0 ? e_.sonidoAlarma() : ajustes.AsuntoCorreo;
  m.Adjunto = FotosRecientes[static_cast<std::size_t>(Adjuntas() - 1)];
  m.De = ajustes.CuentaCorreo;
  m.Para = ParaCorreo(ajustes);
  m.Mensaje = MensajeCorreo(ajustes);
  m.FotosRecientes = FotosRecientes;
  return m;
}

void AvisoEmail::EnviarAvisoEmail() {
  if (Enviando()) return;  // the photographs counted meanwhile wait for its end
  ImgMail.Visible = true;
  clsCDOmail mail = ComponerAviso();
  mail.Cancelar = &cancelar_;
  contadasAlEmpezar_ = FotosSinEnviar;
  generacionEnvio_ = generacion_;
  envio_ = std::async(std::launch::async, [mail = std::move(mail)]() mutable {
    const bool ok = mail.Enviar_Backup();
    return std::pair(ok, std::move(mail));
  });
  TmrEnvio.SetEnabled(true);
}

void AvisoEmail::TmrEnvio_Timer() {
  if (!envio_.valid() || envio_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
  TmrEnvio.SetEnabled(false);
  const auto [ok, enviado] = envio_.get();
  Terminado(ok, enviado);
}

void AvisoEmail::Terminado(bool ok, const clsCDOmail& enviado) {
  ImgMail.Visible = false;
  UltimoError = ok ? QString() : enviado.Error;
  if (!ok)
    for (int i = 0; i <= enviado.Pitidos; ++i) e_.beeper.Beep();
  if (generacionEnvio_ != generacion_ || !e_.activo()) return;
  if (!ok) return ProgramarReintento();
  // Only what this send carried is taken back; photographs saved during it still count.
  FotosSinEnviar = std::max(0, FotosSinEnviar - contadasAlEmpezar_);
  CancelarReintentos();
  if (FotosSinEnviar >= ajustes.FotosPorEnvio) EnviarAvisoEmail();
}

void AvisoEmail::ProgramarReintento() {
  if (FotosSinEnviar < ajustes.FotosPorEnvio) return;
  TmrReintento.SetInterval(proximoReintentoMs_);
  TmrReintento.SetEnabled(true);
  proximoReintentoMs_ = std::min(2 * proximoReintentoMs_, kUltimoReintentoMs);
}

void AvisoEmail::CancelarReintentos() {
  TmrReintento.SetEnabled(false);
  proximoReintentoMs_ = kPrimerReintentoMs;
}

void AvisoEmail::TmrReintento_Timer() {
  TmrReintento.SetEnabled(false);
  if (!e_.activo()) return CancelarReintentos();
  if (Enviando()) return;  // its own end decides what comes next
  if (FotosSinEnviar >= ajustes.FotosPorEnvio) EnviarAvisoEmail();
}

void AvisoEmail::AlertasActivadas() {
  ++generacion_;
  FotosSinEnviar = 0;
  FotosRecientes.fill(QString());
  CancelarReintentos();
}

void AvisoEmail::AlertasDesactivadas() { CancelarReintentos(); }

}  // namespace miravela
