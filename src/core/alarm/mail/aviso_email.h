#pragma once
// The e-mail alert: counts the photographs saved while alerts are on and, every
// FotosPorEnvio of them, mails the newest. The send runs on its own thread, so the
// window and the camera go on watching while a server takes its time, and an alert
// that fails is tried again on a timer until it goes through.
#include <QString>
#include <array>
#include <atomic>
#include <functional>
#include <future>
#include <utility>

#include "alarm/mail/ajustes_email.h"
#include "alarm/mail/cls_cdo_mail.h"
#include "alarm/mail/servidor_smtp.h"
#include "base/control.h"
#include "base/hook.h"
#include "base/model_timer.h"
#include "base/services.h"

namespace miravela {

// Recipients as the alert lists them: the account, then the five copies, each after
// "; ", empty ones included.
QString ParaCorreo(const AjustesEmail& ajustes);
// The body: the user's message, the program's signature.
QString MensajeCorreo(const AjustesEmail& ajustes);

struct EntornoAviso {
  Clock& clock;
  Beeper& beeper;
  Hook<ConfiguracionSmtp()> smtp = [] { return ConfiguracionSmtp{}; };
  // The file name of the alarm sound of the current alarm, the subject when it is automatic.
  Hook<QString()> sonidoAlarma = [] { return QString(); };
  // E-mail alerts are on (the bar's mail button is pressed).
  Hook<bool()> activo = [] { return false; };
};

class AvisoEmail {
 public:
  static constexpr int kRevisionMs = 100;
  static constexpr int kPrimerReintentoMs = 60 * 1000;
  static constexpr int kUltimoReintentoMs = 30 * 60 * 1000;

  explicit AvisoEmail(EntornoAviso entorno);
  // A send under way is told to stop, and waited for.
  ~AvisoEmail();
  AvisoEmail(const AvisoEmail&) = delete;
  AvisoEmail& operator=(const AvisoEmail&) = delete;

  // A photograph was saved: while alerts are on it joins the newest ones and is
  // counted, and enough of them start a send.
  void FotoGuardada(const QString& ruta);
  // Starts a send of the newest photographs, unless one is under way.
  void EnviarAvisoEmail();
  // The message as it would go now.
  clsCDOmail ComponerAviso() const;
  // The mail button was switched on: counting starts again from nothing.
  void AlertasActivadas();
  void AlertasDesactivadas();
  bool Enviando() const { return envio_.valid(); }

  AjustesEmail ajustes;
  std::array<QString, kFotosAdjuntasMaximo> FotosRecientes;  // slot 1 is index 0
  int FotosSinEnviar = 0;
  Control ImgMail;  // shown while a send is under way
  ModelTimer TmrEnvio;
  ModelTimer TmrReintento;
  QString UltimoError;  // why the last send failed; empty after a success

 private:
  void TmrEnvio_Timer();
  void TmrReintento_Timer();
  void Terminado(bool ok, const clsCDOmail& enviado);
  void ProgramarReintento();
  void CancelarReintentos();
  int Adjuntas() const;

  EntornoAviso e_;
  std::atomic<bool> cancelar_{false};
  std::future<std::pair<bool, clsCDOmail>> envio_;
  int contadasAlEmpezar_ = 0;
  int generacion_ = 0;  // counts switch-ons, so a send from before one counts for nothing
  int generacionEnvio_ = 0;
  int proximoReintentoMs_ = kPrimerReintentoMs;
};

}  // namespace miravela
