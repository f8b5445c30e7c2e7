#include "alarm/mail/form3.h"

#include "alarm/mail/servidor_smtp.h"
#include "base/numbers.h"
#include "base/text_codec.h"

namespace miravela {
namespace {

constexpr const char* kTitulo = "Miravela - Aviso por E-MAIL";
constexpr int kCampoCuenta = 2;
constexpr int kCampoClave = 3;

QStringList ListaFotos(std::initializer_list<std::array<int, 3>> tramos) {
  QStringList out;
  for (const auto& [desde, hasta, paso] : tramos)
    for (int n = desde; n <= hasta; n += paso) out << TextoFotos(n);
  return out;
}

// The first character the settings file has no byte for, if any.
std::optional<QString> CaracterNoGuardable(const QString& texto) {
  for (qsizetype i = 0; i < texto.size(); ++i) {
    const qsizetype largo = texto[i].isHighSurrogate() && i + 1 < texto.size() ? 2 : 1;
    const QString caracter = texto.mid(i, largo);
    if (!EncodeCp1252(caracter)) return caracter;
    i += largo - 1;
  }
  return std::nullopt;
}

}  // namespace

Form3::Form3(EntornoForm3 entorno) : e_(std::move(entorno)) {
  const char* titulos[kCampos] = {"Asunto ",       "Mensaje ",      "CORREO GMAIL ", "CONTRASEÑA ",  "Correo CC #1 ",
                                  "Correo CC #2 ", "Correo CC #3 ", "Correo CC #4 ", "Correo CC #5 "};
  for (int i = 0; i < kCampos; ++i) {
    LblCall[static_cast<std::size_t>(i)].Caption = QString::fromUtf8(titulos[i]);
    TxtCall[static_cast<std::size_t>(i)].MaxLength = kLargoTextoCorreo;
  }
  TxtCall[kCampoClave].MaxLength = kLargoClaveCorreo;
  TxtCall[kCampoClave].PasswordChar = '*';
  LblCall[9].Caption = QString::fromUtf8("Enviar Después de ");
  LblCall[10].Caption = QString::fromUtf8("Recibir Últimas ");
  LblCall[kAceptar].Caption = "ACEPTAR  ";
  LblCall[kCancelar].Caption = "CANCELAR  ";
  LblCall[kAceptar].BackColor = LblCall[kCancelar].BackColor = e_.colores.reposo;
  ChkAutoAsunto.Caption = "Auto";
  LblAyudaMail.Caption = "Video Ayuda";
  CboImagen.List = ListaFotos({{1, 10, 1}, {20, 100, 10}, {200, 500, 100}});
  CboRedial.List = ListaFotos({{1, kFotosAdjuntasMaximo, 1}});
}

void Form3::Form_Load() {
  const AjustesEmail& a = e_.ajustes;
  const QString* textos[kCampos] = {&a.AsuntoCorreo,   &a.MensajeCorreo,  &a.CuentaCorreo,
                                    &a.ClaveCorreo,    &a.CopiaCorreo[0], &a.CopiaCorreo[1],
                                    &a.CopiaCorreo[2], &a.CopiaCorreo[3], &a.CopiaCorreo[4]};
  for (int i = 0; i < kCampos; ++i) TxtCall[static_cast<std::size_t>(i)].Text = *textos[i];
  ChkAutoAsunto.Value = a.AsuntoAutomatico != 0 ? 1 : 0;
  CboImagen.SetText(TextoFotos(a.FotosPorEnvio));
  CboRedial.SetText(TextoFotos(a.FotosAdjuntas));
  Foco = 0;
}

QString Form3::Pista(int indice) {
  switch (indice) {
    case 0:
      return QString::fromUtf8("Breve descripción del mensaje de alerta");
    case 1:
      return QString::fromUtf8("Ubicación, números de emergencia, etc.");
    case kCampoCuenta:
      return QStringLiteral("Escriba el correo completo, con @%1").arg(kDominioProveedor);
    case kCampoClave:
      return QString::fromUtf8("Contraseña de Gmail");
    default:
      return "Enviar copia al correo #" + QString::number(indice - 3);
  }
}

void Form3::TxtCall_GotFocus(int indice) {
  if (indice < 0 || indice >= kCampos) return;
  Foco = indice;
  e_.ayuda.Caption = Pista(indice);
  e_.ayuda.ForeColor = e_.colores.ayudaActiva;
}

bool Form3::TxtCall_KeyPress(int indice, int tecla) {
  if (tecla != kTeclaEnter) return false;
  TxtCall_GotFocus((indice + 1) % kCampos);
  return true;
}

bool Form3::TxtCall_Change(int indice, const QString& texto) {
  if (indice < 0 || indice >= kCampos) return false;
  CampoTexto& campo = TxtCall[static_cast<std::size_t>(indice)];
  if (const auto caracter = CaracterNoGuardable(texto)) {
    e_.mensajes.Show(QString::fromUtf8("El carácter «%1» no se puede guardar en la configuración del correo. "
                                       "Escriba el texto sin él.")
                         .arg(*caracter),
                     kTitulo, IconoMensaje::Exclamacion, BotonesMensaje::Aceptar);
    return false;
  }
  campo.Text = texto.left(campo.MaxLength);
  return true;
}

void Form3::ChkAutoAsunto_Click() {
  ChkAutoAsunto.Value = ChkAutoAsunto.Value != 0 ? 0 : 1;
  TxtCall_GotFocus(0);
}

void Form3::LblCall_MouseMove(int indice) {
  if (indice == kAceptar || indice == kCancelar)
    LblCall[static_cast<std::size_t>(indice)].BackColor = e_.colores.resaltado;
}

void Form3::LblCall_MouseDown(int indice) {
  if (indice == kAceptar || indice == kCancelar)
    LblCall[static_cast<std::size_t>(indice)].BackColor = e_.colores.pulsado;
}

void Form3::LblCall_MouseUp(int indice) { LblCall_MouseMove(indice); }

void Form3::Form_MouseMove() { LblCall[kAceptar].BackColor = LblCall[kCancelar].BackColor = e_.colores.reposo; }

void Form3::LblCall_Click(int indice) {
  if (indice == kAceptar) {
    // Texts that reached the fields some other way than typing are checked once more.
    if (!TextosGuardables()) return;
    Confirmado = true;
    GuardarAvisoEmail();
  } else if (indice == kCancelar) {
    Abierto = false;
  }
}

void Form3::Escape() { Abierto = false; }

void Form3::LblAyudaMail_Click() { e_.lanzador.OpenWithDefault(kPaginaAyudaCorreo); }

bool Form3::TextosGuardables() {
  for (int i = 0; i < kCampos; ++i) {
    if (!TxtCall_Change(i, TxtCall[static_cast<std::size_t>(i)].Text)) {
      TxtCall_GotFocus(i);
      return false;
    }
  }
  return true;
}

void Form3::GuardarAvisoEmail() {
  AjustesEmail& a = e_.ajustes;
  QString* textos[kCampos] = {&a.AsuntoCorreo,   &a.MensajeCorreo,  &a.CuentaCorreo,
                              &a.ClaveCorreo,    &a.CopiaCorreo[0], &a.CopiaCorreo[1],
                              &a.CopiaCorreo[2], &a.CopiaCorreo[3], &a.CopiaCorreo[4]};
  for (int i = 0; i < kCampos; ++i) *textos[i] = QuitarEspacios(TxtCall[static_cast<std::size_t>(i)].Text);
  a.AsuntoAutomatico = ChkAutoAsunto.Value != 0 ? 1 : 0;
  // A count the lists do not offer (a file written by hand) stays as it was.
  if (CboImagen.ListIndex >= 0) a.FotosPorEnvio = static_cast<int>(LeadingNumber(CboImagen.Text()));
  if (CboRedial.ListIndex >= 0) a.FotosAdjuntas = static_cast<int>(LeadingNumber(CboRedial.Text()));
  if (!miravela::GuardarAvisoEmail(e_.archivoNml, a))
    e_.mensajes.Show(QStringLiteral("No se pudo guardar la configuración del correo en %1.").arg(e_.archivoNml),
                     kTitulo, IconoMensaje::Exclamacion, BotonesMensaje::Aceptar);
  Abierto = false;
}

bool Form3::AlertasQuedanActivas() const {
  return Confirmado && !QuitarEspacios(TxtCall[kCampoCuenta].Text).isEmpty() &&
         !QuitarEspacios(TxtCall[kCampoClave].Text).isEmpty();
}

}  // namespace miravela
