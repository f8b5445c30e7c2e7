#pragma once
// The bar of sixteen picture buttons that drives the whole program. Every feature
// acts by raising a button's click, so the bar only dispatches: each subsystem plugs
// its action in, and a feature's on/off state is read from its button's look.
#include <array>
#include <functional>

#include "base/botones.h"
#include "base/control.h"
#include "base/hook.h"
#include "base/paleta.h"

namespace miravela {

class ButtonBar {
 public:
  static constexpr int kBotones = 16;

  ButtonBar();

  static constexpr int kEtiquetas = 5;
  static constexpr int kPrimerBotonCamara = 8;

  std::array<Control, kBotones> PctBoton;
  // The slot numbers laid over the camera buttons 8..12; each acts as its button.
  std::array<Control, kEtiquetas> LblBoton;
  Control LblAyuda;
  Control LblFondo2;  // the credit caption on the window's background

  // Plugs in the click action of button `index`; a button without one does nothing.
  void SetAction(int index, Hook<void()> action);
  void PctBoton_Click(int index);
  void PctBoton_MouseDown(int index);
  void PctBoton_MouseUp(int index);
  void PctBoton_MouseMove(int index);
  void LblBoton_Click(int index) { PctBoton_Click(index + kPrimerBotonCamara); }
  void LblBoton_MouseMove(int index) { PctBoton_MouseMove(index + kPrimerBotonCamara); }
  void EsconderBotones();

  bool Pulsado(int index) const { return PctBoton[static_cast<std::size_t>(index)].Appearance == 1; }
  // Finishes a toggle the way every toggle button does.
  void SetPulsado(int index, bool on);
  int UltimoBoton() const;
  // Whether the frame loop runs decides the help text of button 0.
  Hook<bool()> CamaraConectada;
  // The rest of the window's hover state (the lists, the zone overlay), cleared with the bar's.
  Hook<void()> AlEsconder;
  // Moving over the zone button while the zone is on shows the painted cells.
  Hook<void()> MostrarZona;

  static QString TextoAyudaReposo();
  static QString TextoCredito();

 private:
  QString TextoAyuda(int index) const;
  std::array<Hook<void()>, kBotones> actions_;
};

}  // namespace miravela
