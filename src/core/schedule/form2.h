#pragma once
// The scheduler's dialog as a model: three check boxes, the hour and minute lists of
// each function's two times, the number of day folders kept, and the two label
// buttons. The dialog only edits a copy of the schedule; the caller stores it when
// the dialog was accepted.
#include <QString>
#include <array>

#include "base/control.h"
#include "base/hook.h"
#include "base/services.h"
#include "schedule/programacion.h"

namespace miravela {

struct CheckBox : Control {
  int Value = 0;  // 1 = checked
};

struct TextBox : Control {
  QString Text;
  int MaxLength = 0;  // 0 = no limit
  int SelStart = 0, SelLength = 0;
};

inline constexpr Color kListaInactiva = Rgb(255, 224, 192);   // light orange
inline constexpr Color kListaEncendido = Rgb(255, 255, 192);  // light yellow
inline constexpr Color kListaApagado = Rgb(255, 192, 192);    // light red

inline constexpr int kTeclaRetroceso = 8;
inline constexpr int kTeclaIntro = 13;
inline constexpr int kTeclaEscape = 27;
inline constexpr int kTeclaEspacio = 32;

class Form2 {
 public:
  enum class Cierre { Abierto, Aceptado, Cancelado };

  // Filled from `programacion`; hints go to the main window's help line.
  Form2(const Programacion& programacion, Hook<void(const QString&)> mostrarAyuda, Beeper& beeper);
  Form2(const Form2&) = delete;  // the focus points into the dialog itself
  Form2& operator=(const Form2&) = delete;

  QString Caption;
  std::array<CheckBox, kFuncionesProgramadas> ChkFuncion;
  // Function k: CboHora(4k):CboHora(4k+1) switch-on, CboHora(4k+2):CboHora(4k+3) switch-off.
  std::array<ComboBox, 4 * kFuncionesProgramadas> CboHora;
  Control LblStorage;
  TextBox TxtStorage;
  Control Aceptar, Cancelar;
  // The control that has the keyboard focus.
  const Control* Foco = nullptr;

  // Raised after the box's value has changed.
  void ChkFuncion_Click(int k);
  void CboHora_DropDown(int i);
  void TxtStorage_GotFocus();
  // The key to pass on to the field, or 0 when it is swallowed.
  int TxtStorage_KeyPress(int keyAscii);
  // Text that reaches the field other than by typing (pasted): kept only when it is
  // made of digits and blanks and fits; false when refused.
  bool TxtStorage_Change(const QString& texto);
  void Form_KeyPress(int keyAscii);
  void Aceptar_Click();
  void Cancelar_Click();
  // The window closed some other way (its close box).
  void Form_Unload();

  // The hint of list i: which of its function's two times it sets.
  static QString AyudaLista(int i);

  Cierre Resultado() const { return cierre_; }
  // The schedule as the dialog's fields give it.
  Programacion Valores() const;

 private:
  void ColorearListas(int k, bool activa);
  void Cerrar(Cierre como);

  Programacion base_;
  Hook<void(const QString&)> mostrarAyuda_;
  Beeper& beeper_;
  Cierre cierre_ = Cierre::Abierto;
};

}  // namespace miravela
