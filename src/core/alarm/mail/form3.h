#pragma once
// The e-mail settings dialog as a model: the account, the alert's texts, the copies and
// the two photograph counts. The view draws these controls and forwards the user's
// events; confirming writes the settings file.
#include <QString>
#include <array>

#include "alarm/mail/ajustes_email.h"
#include "base/control.h"
#include "base/services.h"

namespace miravela {

struct CampoTexto : Control {
  QString Text;
  int MaxLength = 0;
  QChar PasswordChar;  // shown in place of every character when set
};

struct CasillaVerificacion : Control {
  int Value = 0;  // 0 clear, 1 ticked
};

// The colours the dialog's label buttons and the main window's help line share with
// the button bar.
struct ColoresForm3 {
  Color reposo;
  Color resaltado;
  Color pulsado;
  Color ayudaActiva;
};

inline constexpr const char* kPaginaAyudaCorreo = "https://miravela.org/ayuda/aviso-email";

struct EntornoForm3 {
  AjustesEmail& ajustes;  // the settings the dialog shows and, confirmed, replaces
  QString archivoNml;
  MessageBoxService& mensajes;
  Launcher& lanzador;
  Control& ayuda;  // the main window's help line
  ColoresForm3 colores;
};

class Form3 {
 public:
  static constexpr int kCampos = 9;
  static constexpr int kAceptar = 11;
  static constexpr int kCancelar = 12;
  static constexpr int kTeclaEnter = 13;

  explicit Form3(EntornoForm3 entorno);

  // Fills the fields from the settings, before the dialog is shown.
  void Form_Load();

  // Returns true when the key is taken by the dialog and not passed to the field.
  bool TxtCall_KeyPress(int indice, int tecla);
  void TxtCall_GotFocus(int indice);
  // A field's text as typed or pasted. A character the settings file cannot hold is
  // refused with a message, and the field keeps its text: false then.
  bool TxtCall_Change(int indice, const QString& texto);
  void ChkAutoAsunto_Click();
  void LblCall_MouseMove(int indice);
  void LblCall_MouseDown(int indice);
  void LblCall_MouseUp(int indice);
  void LblCall_Click(int indice);
  void Form_MouseMove();
  void Escape();
  void LblAyudaMail_Click();

  // After it closed: whether e-mail alerts stay on.
  bool AlertasQuedanActivas() const;

  std::array<CampoTexto, kCampos> TxtCall;
  std::array<Control, 13> LblCall;  // captions of the fields, then the two label buttons
  CasillaVerificacion ChkAutoAsunto;
  ComboBox CboImagen;
  ComboBox CboRedial;
  Control LblAyudaMail;
  int Foco = 0;  // the text field with the focus
  bool Confirmado = false;
  bool Abierto = true;

  static QString Pista(int indice);

 private:
  void GuardarAvisoEmail();
  bool TextosGuardables();
  EntornoForm3 e_;
};

// Shows the dialog modally and returns once it has closed; the view forwards the
// user's events to the model meanwhile.
class VentanaForm3 {
 public:
  virtual ~VentanaForm3() = default;
  virtual void MostrarModal(Form3& form) = 0;
};

}  // namespace miravela
